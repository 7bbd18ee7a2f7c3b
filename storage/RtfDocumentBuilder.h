// Gathers the text the RTF reader finds into runs of one format and paragraphs with their
// alignment and bullet, and hands over the finished document.
#pragma once

#include <string>

#include "core/TextUtil.h"
#include "storage/RtfDocument.h"

namespace vorbix {

class RtfDocumentBuilder {
public:
    // Text waits until its format is known: endRun gives it one.
    void addCharacter(char32_t c) { appendUtf8(pending_, c); }
    bool hasPendingText() const { return !pending_.empty(); }
    void dropPendingText() { pending_.clear(); }
    // The waiting text as a run in `format` (merged with the last run of the same format).
    void endRun(const RtfCharFormat& format);

    // The paragraph format, taken by the paragraph when it ends.
    void setAlignment(RtfAlignment alignment) { alignment_ = alignment; }
    void markBullet() { bullet_ = true; }
    void resetParagraphFormat();

    // Ends the paragraph (its waiting text is to be ended by the caller first).
    void endParagraph();

    // The document, once the last paragraph has ended.
    RtfDocument finish();

private:
    RtfAlignment alignment_ = RtfAlignment::Left;
    bool bullet_ = false;
    std::string pending_;
    RtfParagraph paragraph_;
    RtfDocument doc_;
};

}  // namespace vorbix
