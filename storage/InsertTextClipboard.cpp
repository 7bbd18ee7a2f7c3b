#include "storage/InsertTextClipboard.h"

#include "core/TextUtil.h"
#include "storage/InsertTextDigest.h"
#include "storage/RtfDocument.h"

namespace vorbix {

InsertTextInsertion insertTextInsertion(std::string_view storedText) {
    const InsertTextValue value = decodeInsertText(storedText);
    InsertTextInsertion insertion;
    insertion.tabAfter = value.tabAfter;
    if (value.formatted) {
        const RtfDocument document = withLinksFromMarkup(parseRtf(value.body));
        insertion.content.plain = document.plainText("\n");
        insertion.content.html = writeHtml(document);
        insertion.content.rtf = writeRtf(document);
    } else {
        const std::string text = replaceAll(value.body, "\r\n", "\n");
        insertion.content.plain = replaceLinkMarkup(replaceAll(text, "\r", "\n"));
    }
    return insertion;
}

}  // namespace vorbix
