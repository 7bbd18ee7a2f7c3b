// Why the list marks a row with its warning sign: the system refused the row's combination,
// another row of the table already holds it, or no language knows the row's action.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/LanguageTexts.h"
#include "shell/common/ShellCore.h"

namespace vorbix {

// The texts of section "Main" in the user's language.
using MainText = std::function<std::string(std::string_view key)>;

// The row's problems in the user's language, one a line; empty for a row that works.
std::string rowProblemText(const ShellCore& core, size_t row, const LanguageTexts& texts,
                           const MainText& message);

}  // namespace vorbix
