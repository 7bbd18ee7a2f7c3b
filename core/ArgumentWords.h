// Splitting the parameter text of a program row into the program's arguments. The tables come
// from Windows, where a program splits its own command line, so double quotes and backslashes
// follow the Windows rules; nothing is expanded, redirected or piped, and every shell
// metacharacter (";", "|", "&", "$", "*", ...) arrives in the argument as plain text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorbix {

// Words are separated by blanks, tabs and line breaks outside quotes.
// - "..." groups words: the blanks inside belong to the argument. Inside, "" stands for one ".
// - Backslashes are ordinary characters, except right before a double quote: there each pair
//   stands for one backslash, and an odd one left over makes the quote an ordinary " (a\"b is
//   a"b, C:\Temp\ stays as written).
// - An apostrophe is an ordinary character (it's) unless it opens a quote closed in the same
//   word: another apostrophe follows before the next blank ('a"b' is a"b), or the apostrophe
//   starts a word and a later one ends a word ('a b' is one argument). The text between them
//   is taken as it is.
// - A quote that is never closed is an ordinary character.
// - Quoted parts join the text around them into one word; "" alone is an empty argument.
std::vector<std::string> splitArgumentWords(std::string_view text);

}  // namespace vorbix
