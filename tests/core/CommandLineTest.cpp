// The program's command line: what starts it, what answers and ends, what is refused.
#include "core/CommandLine.h"

#include <gtest/gtest.h>

namespace vorbix {
namespace {

using Mode = CommandLine::Mode;
using Args = std::vector<std::string>;

TEST(CommandLine, ModeAndHiddenStartOfEachLine) {
    struct Case {
        Args args;
        Mode mode;
        bool hidden;
    };
    const Case cases[] = {
        {{}, Mode::Run, false},
        {{"hide"}, Mode::Run, true},
        // Only the exact word, and only as the first word.
        {{"Hide"}, Mode::Run, false},
        {{"HIDE"}, Mode::Run, false},
        {{"hidden"}, Mode::Run, false},
        {{"x", "hide"}, Mode::Run, false},
        {{"hide", "extra", "words"}, Mode::Run, true},
        // Qt's options do not count as the first word, with one dash or two, value or flag.
        {{"-platform", "offscreen", "hide"}, Mode::Run, true},
        {{"--display", ":3", "hide"}, Mode::Run, true},
        {{"-session", "10abc", "hide"}, Mode::Run, true},
        {{"-style=fusion", "hide"}, Mode::Run, true},
        {{"-reverse", "-sync", "hide"}, Mode::Run, true},
        // A word after "--" is a word even when it looks like an option.
        {{"--", "-hide"}, Mode::Run, false},
        {{"--", "hide"}, Mode::Run, true},
        {{"--", "--bogus"}, Mode::Run, false},
        {{"-"}, Mode::Run, false},
        // The first of --help and --version decides, wherever it stands.
        {{"--help"}, Mode::Help, false},
        {{"-h"}, Mode::Help, false},
        {{"hide", "--help"}, Mode::Help, true},
        {{"--version"}, Mode::Version, false},
        {{"--version", "--help"}, Mode::Version, false},
        {{"--help", "--version"}, Mode::Help, false},
        {{"-platform", "xcb", "--version"}, Mode::Version, false},
    };
    for (const Case& c : cases) {
        const CommandLine line = parseCommandLine(c.args);
        std::string shown;
        for (const std::string& a : c.args) shown += "[" + a + "]";
        EXPECT_EQ(line.mode, c.mode) << shown << ": " << line.error;
        EXPECT_EQ(line.hidden, c.hidden) << shown;
    }
}

TEST(CommandLine, UnknownOptionsAndMissingValuesAreRefusedInOneLine) {
    struct Case {
        Args args;
        std::string error;
    };
    const Case cases[] = {
        {{"--bogus"}, "unknown option --bogus (see --help)"},
        {{"-x"}, "unknown option -x (see --help)"},
        {{"hide", "--hidden"}, "unknown option --hidden (see --help)"},
        // Single-dash words are not split into letters: "-hv" is not -h and -v.
        {{"-hv"}, "unknown option -hv (see --help)"},
        {{"--help=1"}, "unknown option --help=1 (see --help)"},
        // A refusal wins over a later --help, which would otherwise hide the mistake.
        {{"--nope", "--help"}, "unknown option --nope (see --help)"},
        {{"-platform"}, "option -platform needs a value"},
        {{"hide", "--session"}, "option --session needs a value"},
    };
    for (const Case& c : cases) {
        const CommandLine line = parseCommandLine(c.args);
        EXPECT_EQ(line.mode, Mode::Refused) << c.args.front();
        EXPECT_EQ(line.error, c.error);
        EXPECT_EQ(line.error.find('\n'), std::string::npos);
    }
}

}  // namespace
}  // namespace vorbix
