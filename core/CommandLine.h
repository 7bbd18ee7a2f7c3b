// The program's command line: "hide" as the first argument starts it in the tray, --help and
// --version answer and end, the window toolkit's own options pass, and any other option is
// refused. Other words are ignored, so a desktop that passes extra arguments still starts it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vorbix {

// Exit statuses of the program.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct CommandLine {
    enum class Mode { Run, Help, Version, Refused };
    Mode mode = Mode::Run;
    // The first argument that is not a toolkit option is exactly "hide" (case-sensitive).
    bool hidden = false;
    // Refused: one line that says what was wrong, without the program's name.
    std::string error;
};

// Reads the arguments after the program's name. The first of --help and --version decides; an
// unknown option or a toolkit option without its value refuses the whole line.
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The text --help prints.
std::string commandLineUsage(std::string_view programName);

}  // namespace vorbix
