// Splitting a parameter string into program arguments the way a shell splits words, without a
// shell ever running it: nothing is expanded, redirected or piped, and every metacharacter
// (";", "|", "&", "$", "*", ...) arrives in the argument as plain text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorbix {

// Words are separated by blanks, tabs and line breaks.
// - '...' keeps everything up to the next ' as it is.
// - "..." keeps everything up to the next unescaped "; inside it \" and \\ stand for " and \,
//   and every other backslash stays a backslash.
// - Outside quotes a backslash makes the next blank, quote or backslash part of the word; before
//   any other character it is an ordinary character, so "C:\Temp" stays as written.
// - Quoted parts join the text around them into one word; "" alone is an empty argument.
// - A quote that is never closed runs to the end of the string.
std::vector<std::string> splitShellWords(std::string_view text);

}  // namespace vorbix
