// Font table entries as the reader finds them, and the byte-to-character lookup they drive.
#include "storage/RtfFontTable.h"

#include <utility>

#include "core/TextUtil.h"
#include "storage/RtfCodePages.h"

namespace vorbix {

void RtfFontTable::beginEntry(int number) {
    if (entryOpen_) endEntry();
    entryNumber_ = number;
    entryCharset_ = kDefaultCharset;  // not given: the document's code page
    entryName_.clear();
    entryOpen_ = true;
}

void RtfFontTable::addToEntryName(char32_t c) {
    appendUtf8(entryName_, c);
    entryOpen_ = true;
}

void RtfFontTable::endEntry() {
    std::string name = trim(entryName_);
    fonts_[entryNumber_] = {std::move(name), entryCharset_};
    entryName_.clear();
    entryOpen_ = false;
}

const RtfFont* RtfFontTable::find(int font) const {
    const auto it = fonts_.find(font >= 0 ? font : defaultFont_);
    return it == fonts_.end() ? nullptr : &it->second;
}

const RtfFont* RtfFontTable::findOrDefault(int font) const {
    const RtfFont* found = find(font);
    return found != nullptr ? found : find(-1);
}

int RtfFontTable::charsetOf(int font) const {
    const RtfFont* found = find(font);
    return found != nullptr ? found->charset : kDefaultCharset;
}

char32_t RtfFontTable::byteToChar(unsigned char byte, int charset) const {
    return codePageByteToChar(codePageOfCharset(charset, codePage_), byte);
}

}  // namespace vorbix
