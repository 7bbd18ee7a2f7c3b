#include "shell/mainwindow/RowKind.h"

namespace vorbix {

std::optional<ActionKind> rowKind(const HotKeyEntry& row, const LanguageTexts& texts,
                                  const LanguageCatalogue& languages) {
    return languages.kindOf(row.ActionText, &texts);
}

}  // namespace vorbix
