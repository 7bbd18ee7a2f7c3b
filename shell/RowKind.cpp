#include "shell/RowKind.h"

namespace vorbix {

std::optional<ActionKind> rowKind(const HotKeyEntry& row, const LanguageTexts& texts) {
    return texts.kindOf(row.ActionText);
}

}  // namespace vorbix
