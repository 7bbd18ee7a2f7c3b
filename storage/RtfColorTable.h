// The colours an RTF document declares in its colour table: entries of \red, \green and \blue
// ended by ';'. An entry without any of them is the automatic colour (as entry 0 always is).
#pragma once

#include <optional>
#include <vector>

#include "storage/RtfDocument.h"

namespace vorbix {

class RtfColorTable {
public:
    // The channels of the entry being read; values outside 0 to 255 are clamped.
    void setRed(int value);
    void setGreen(int value);
    void setBlue(int value);
    void endEntry();

    // The colour that \cf `index` names; none for the automatic colour and unknown indexes.
    std::optional<RtfColor> color(int index) const;

private:
    std::vector<std::optional<RtfColor>> colors_;
    RtfColor entry_;
    bool entrySet_ = false;
};

}  // namespace vorbix
