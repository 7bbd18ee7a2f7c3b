// Which paste stroke the insertion sends, by the focused window's WM_CLASS.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/TerminalPaste.h"
#include "core/TextUtil.h"

namespace vorbix {
namespace {

using P = PasteStroke;

TEST(TerminalPaste, TerminalsAreKnownByEitherPartOfTheirWindowClass) {
    struct Case {
        const char* instance;
        const char* windowClass;
        PasteStroke stroke;
    } cases[] = {
        {"xterm", "XTerm", P::ShiftInsert},
        {"xterm", "UXTerm", P::ShiftInsert},
        {"urxvt", "URxvt", P::ShiftInsert},
        {"gnome-terminal-server", "Gnome-terminal", P::CtrlShiftV},
        {"konsole", "konsole", P::CtrlShiftV},
        {"xfce4-terminal", "Xfce4-terminal", P::CtrlShiftV},
        {"kitty", "kitty", P::CtrlShiftV},
        {"Alacritty", "Alacritty", P::CtrlShiftV},
        {"foot", "foot", P::CtrlShiftV},
        {"tilix", "Tilix", P::CtrlShiftV},
        {"terminator", "Terminator", P::CtrlShiftV},
        {"st", "st-256color", P::CtrlShiftV},
        {"org.wezfurlong.wezterm", "org.wezfurlong.wezterm", P::CtrlShiftV},
        // A renamed instance still has the class, and the other way round.
        {"myshell", "XTerm", P::ShiftInsert},
        {"kitty", "", P::CtrlShiftV},
        // Other programs paste with Ctrl+V, also those whose names only contain a terminal's.
        {"vorbix-text-target", "Vorbix-text-target", P::CtrlV},
        {"gedit", "Gedit", P::CtrlV},
        {"xterminal-notes", "Xterminal-notes", P::CtrlV},
        {"stellarium", "Stellarium", P::CtrlV},
        {"", "", P::CtrlV},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pasteStrokeFor(c.instance, c.windowClass), c.stroke)
            << c.instance << " / " << c.windowClass;
        EXPECT_EQ(pastesPlainTextOnly(pasteStrokeFor(c.instance, c.windowClass)),
                  c.stroke != P::CtrlV);
    }
}

TEST(TerminalPaste, TheListNamesEachTerminalOnce) {
    std::set<std::string> seen;
    for (const TerminalWindowClass& terminal : terminalWindowClasses()) {
        EXPECT_FALSE(terminal.name.empty());
        EXPECT_NE(terminal.stroke, P::CtrlV) << terminal.name;
        EXPECT_TRUE(seen.insert(foldCase(terminal.name)).second) << "twice: " << terminal.name;
    }
    EXPECT_GE(seen.size(), 13u);
}

}  // namespace
}  // namespace vorbix
