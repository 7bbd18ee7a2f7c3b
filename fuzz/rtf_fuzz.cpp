// The RTF reader and the insert-text value from arbitrary bytes: any input gives a document,
// what is read survives a write and a second read, and the digests accept anything.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/TextUtil.h"
#include "storage/InsertTextClipboard.h"
#include "storage/InsertTextDigest.h"
#include "storage/RtfDocument.h"

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

bool validUtf8(const std::string& text) {
    return vorbix::toUtf8(vorbix::toUtf32(text)) == text;
}

void checkDocument(const vorbix::RtfDocument& d) {
    check(!d.paragraphs.empty());
    for (const vorbix::RtfParagraph& p : d.paragraphs) {
        for (const vorbix::RtfRun& r : p.runs) {
            check(!r.text.empty());
            check(r.text.find('\r') == std::string::npos);
            check(r.text.find('\n') == std::string::npos);
            check(validUtf8(r.text));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorbix;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Most inputs should reach the RTF reader proper.
    const std::string rtf = looksLikeRtf(bytes) ? bytes : "{\\rtf1 " + bytes;

    const RtfDocument d = parseRtf(rtf);
    checkDocument(d);
    const RtfDocument once = parseRtf(writeRtf(d));
    checkDocument(once);
    check(once.plainText() == d.plainText());
    const std::string written = writeRtf(once);
    check(parseRtf(written) == once);
    check(writeRtf(parseRtf(written)) == written);
    checkDocument(withLinksFromMarkup(d));
    const std::string html = writeHtml(d);
    check(validUtf8(html) || !validUtf8(rtf));

    const std::string digest = insertTextDigest(bytes);
    check(validUtf8(digest) || !validUtf8(bytes));
    insertTextDigest("<~Form~>" + rtf);
    replaceLinkMarkup(bytes);

    const InsertTextValue value{size % 2 == 0, size % 3 == 0, bytes};
    const std::string stored = encodeInsertText(value);
    check(stored.find_first_of(" \r\n") == std::string::npos);
    decodeInsertText(stored);
    insertTextInsertion(stored);
    insertTextInsertion(bytes);
    return 0;
}
