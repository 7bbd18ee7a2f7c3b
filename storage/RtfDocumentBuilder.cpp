// Runs and paragraphs as the RTF reader ends them.
#include "storage/RtfDocumentBuilder.h"

#include <utility>

namespace vorbix {

void RtfDocumentBuilder::endRun(const RtfCharFormat& format) {
    paragraph_.append(pending_, format);
    pending_.clear();
}

void RtfDocumentBuilder::resetParagraphFormat() {
    alignment_ = RtfAlignment::Left;
    bullet_ = false;
}

void RtfDocumentBuilder::endParagraph() {
    paragraph_.alignment = alignment_;
    paragraph_.bullet = bullet_;
    doc_.paragraphs.push_back(std::move(paragraph_));
    paragraph_ = {};
}

RtfDocument RtfDocumentBuilder::finish() {
    // The control keeps a final paragraph mark of its own: a last \par before the end of the
    // document only closes the paragraph, it does not start an empty one.
    if (doc_.paragraphs.size() > 1 && doc_.paragraphs.back().empty()) doc_.paragraphs.pop_back();
    return std::move(doc_);
}

}  // namespace vorbix
