#include "core/TerminalPaste.h"

#include "core/TextUtil.h"

namespace vorbix {

namespace {

using P = PasteStroke;

// WM_CLASS instance or class names of terminal windows.
constexpr TerminalWindowClass kTerminals[] = {
    // The X Toolkit's terminals: Shift+Insert pastes the PRIMARY selection, Ctrl+Shift+V is
    // not bound by default.
    {"xterm", P::ShiftInsert},
    {"uxterm", P::ShiftInsert},
    {"urxvt", P::ShiftInsert},
    {"rxvt", P::ShiftInsert},
    {"rxvt-unicode", P::ShiftInsert},
    // Ctrl+Shift+V pastes the CLIPBOARD selection.
    {"gnome-terminal", P::CtrlShiftV},
    {"gnome-terminal-server", P::CtrlShiftV},
    {"org.gnome.Console", P::CtrlShiftV},
    {"kgx", P::CtrlShiftV},
    {"org.gnome.Ptyxis", P::CtrlShiftV},
    {"konsole", P::CtrlShiftV},
    {"yakuake", P::CtrlShiftV},
    {"xfce4-terminal", P::CtrlShiftV},
    {"mate-terminal", P::CtrlShiftV},
    {"lxterminal", P::CtrlShiftV},
    {"qterminal", P::CtrlShiftV},
    {"kitty", P::CtrlShiftV},
    {"alacritty", P::CtrlShiftV},
    {"foot", P::CtrlShiftV},
    {"footclient", P::CtrlShiftV},
    {"tilix", P::CtrlShiftV},
    {"terminator", P::CtrlShiftV},
    {"st", P::CtrlShiftV},
    {"st-256color", P::CtrlShiftV},
    {"org.wezfurlong.wezterm", P::CtrlShiftV},
    {"wezterm", P::CtrlShiftV},
    {"terminology", P::CtrlShiftV},
    {"sakura", P::CtrlShiftV},
    {"guake", P::CtrlShiftV},
    {"tilda", P::CtrlShiftV},
    {"roxterm", P::CtrlShiftV},
    {"cool-retro-term", P::CtrlShiftV},
    {"deepin-terminal", P::CtrlShiftV},
    {"ghostty", P::CtrlShiftV},
    {"com.mitchellh.ghostty", P::CtrlShiftV},
    {"contour", P::CtrlShiftV},
    {"blackbox", P::CtrlShiftV},
    {"com.raggesilver.BlackBox", P::CtrlShiftV},
};

}  // namespace

std::span<const TerminalWindowClass> terminalWindowClasses() {
    return kTerminals;
}

PasteStroke pasteStrokeFor(std::string_view instance, std::string_view windowClass) {
    for (const TerminalWindowClass& terminal : kTerminals) {
        if ((!instance.empty() && equalsIgnoreCase(instance, terminal.name)) ||
            (!windowClass.empty() && equalsIgnoreCase(windowClass, terminal.name)))
            return terminal.stroke;
    }
    return PasteStroke::CtrlV;
}

}  // namespace vorbix
