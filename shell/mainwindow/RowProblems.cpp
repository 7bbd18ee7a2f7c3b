#include "shell/mainwindow/RowProblems.h"

#include "core/TextUtil.h"
#include "shell/mainwindow/RowKind.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

// The action of a row as the list shows it: the caption in the user's language when the row's
// kind is known, otherwise as stored.
std::string actionShown(const HotKeyEntry& row, const LanguageTexts& texts,
                        const LanguageCatalogue& languages) {
    const std::optional<ActionKind> kind = rowKind(row, texts, languages);
    if (kind && !texts.caption(*kind).empty()) return texts.caption(*kind);
    return row.ActionText;
}

}  // namespace

std::string rowProblemText(const ShellCore& core, size_t row, const LanguageTexts& texts,
                           const MainText& message) {
    if (row >= core.table.size()) return {};
    std::string text;
    const auto add = [&text](std::string line) {
        if (line.empty()) return;
        if (!text.empty()) text += "\n";
        text += line;
    };
    const RowRegistration registration = core.registry.rowRegistration(row);
    if (registration == RowRegistration::OtherTrigger) {
        add(fillPlaceholder(message("HintHotKeyOtherTrigger"), "%s",
                            core.registry.rowResult(row).otherTrigger));
    }
    if (registration == RowRegistration::Refused) {
        if (const std::optional<size_t> holder = core.registry.duplicateOf(row)) {
            std::string line = fillPlaceholder(message(lang::kHintHotKeyDuplicate), "%d",
                                               std::to_string(*holder + 1));
            add(fillPlaceholder(std::move(line), "%s",
                                actionShown(core.table.at(*holder), texts, core.languages)));
        } else {
            add(message(refusalTextKey(core.registry.rowResult(row))));
        }
    }
    if (!rowKind(core.table.at(row), texts, core.languages)) {
        add(message(lang::kHintUnknownAction));
    }
    return text;
}

}  // namespace vorbix
