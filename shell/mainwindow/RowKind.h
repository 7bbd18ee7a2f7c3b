// The action kind of a row, for every part of the shell that needs it (the list's images, the
// choice of a property editor). Rows name their kind by the caption they were stored with.
#pragma once

#include <optional>

#include "core/HotKeyTable.h"
#include "core/LanguageCatalogue.h"
#include "core/LanguageTexts.h"

namespace vorbix {

// None when the row's caption names no kind in the current language, in any language the
// program knows, or among the design captions.
std::optional<ActionKind> rowKind(const HotKeyEntry& row, const LanguageTexts& texts,
                                  const LanguageCatalogue& languages);

}  // namespace vorbix
