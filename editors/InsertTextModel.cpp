#include "editors/InsertTextModel.h"

#include "core/TextUtil.h"
#include "storage/InsertTextDigest.h"

namespace vorbix {

void InsertTextModel::decode(const HotKeyEntry& row) {
    stored_ = row.Text;
    const InsertTextValue value = decodeInsertText(row.Text);
    formatted = value.formatted;
    tabAfter = value.tabAfter;
    body = value.body;
}

void InsertTextModel::encode(HotKeyEntry& row, const Edit& edit,
                             const LanguageTexts& current) const {
    if (!edit.textChanged && edit.formatted == formatted) {
        // The value starts with the Tab marker exactly when the decoded value does: no other
        // marker turns into it.
        std::string text = stored_;
        if (edit.tabAfter && !tabAfter) text.insert(0, kInsertTextTabMarker);
        if (!edit.tabAfter && tabAfter) text.erase(0, kInsertTextTabMarker.size());
        row.Text = std::move(text);
    } else {
        row.Text = encodeInsertText({edit.formatted, edit.tabAfter, edit.body});
    }
    // The same digest a reload of the file shows.
    const std::string digest = insertTextDigest(row.Text);
    row.PropertiesText = digest.empty() ? current.sNewText : digest;
}

std::optional<std::string> linkMarkup(std::string_view address, std::string_view text) {
    std::string target = trim(address);
    if (target.empty()) return std::nullopt;
    if (!startsWithIgnoreCase(target, "http://") && !startsWithIgnoreCase(target, "https://"))
        target.insert(0, "http://");
    target = replaceAll(replaceAll(target, "<", "%3C"), ">", "%3E");
    return "<url=" + target + ">" + std::string(text) + "</url>";
}

}  // namespace vorbix
