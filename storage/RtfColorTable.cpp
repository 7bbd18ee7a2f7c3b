// Colour table entries as the reader finds them.
#include "storage/RtfColorTable.h"

#include <algorithm>
#include <cstdint>

namespace vorbix {

namespace {

uint8_t channel(int value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

void RtfColorTable::setRed(int value) {
    entry_.red = channel(value);
    entrySet_ = true;
}

void RtfColorTable::setGreen(int value) {
    entry_.green = channel(value);
    entrySet_ = true;
}

void RtfColorTable::setBlue(int value) {
    entry_.blue = channel(value);
    entrySet_ = true;
}

void RtfColorTable::endEntry() {
    colors_.push_back(entrySet_ ? std::optional<RtfColor>(entry_) : std::nullopt);
    entry_ = {};
    entrySet_ = false;
}

std::optional<RtfColor> RtfColorTable::color(int index) const {
    if (index > 0 && static_cast<size_t>(index) < colors_.size()) return colors_[index];
    return std::nullopt;
}

}  // namespace vorbix
