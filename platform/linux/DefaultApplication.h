// The program the user chose as default for a kind of content, as the desktop's "mimeapps.list"
// files name it (the freedesktop.org rules: the user's configuration first, then the system's,
// then the lists beside the installed desktop entries), and the command its desktop entry runs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorbix {

// The command line of the default application for `mimeType` ("x-scheme-handler/http" for the
// web browser), without the entry's placeholders for files and addresses; the program is the
// entry's Exec word as written (a name to look up in PATH, or a path). Empty when no list names
// a default whose desktop entry is installed and runs a program.
std::vector<std::string> defaultApplicationCommand(std::string_view mimeType);

// The words of a desktop entry's Exec value: quoted arguments as the entry format quotes them,
// the field codes (%f, %u, %U, ...) dropped, "%%" as "%".
std::vector<std::string> desktopExecWords(std::string_view exec);

}  // namespace vorbix
