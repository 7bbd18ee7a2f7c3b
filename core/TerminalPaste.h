// How inserted text is pasted into the focused window. Terminals ignore Ctrl+V (or read it as
// "insert the next key literally"), so they are known by the WM_CLASS of their window and get
// their own paste stroke. The list below is the whole knowledge; a terminal missing from it is
// added there.
#pragma once

#include <span>
#include <string_view>

namespace vorbix {

enum class PasteStroke {
    CtrlV,        // every other program: Ctrl+V pastes the CLIPBOARD selection
    CtrlShiftV,   // most terminals: Ctrl+Shift+V pastes the CLIPBOARD selection
    ShiftInsert,  // xterm and rxvt-unicode: Shift+Insert pastes the PRIMARY selection
};

struct TerminalWindowClass {
    std::string_view name;  // the instance or class part of WM_CLASS, in any letter case
    PasteStroke stroke;
};

// The terminal programs, by the names their windows carry in WM_CLASS.
std::span<const TerminalWindowClass> terminalWindowClasses();

// The paste stroke for a window with this WM_CLASS (instance and class, either may be empty).
PasteStroke pasteStrokeFor(std::string_view instance, std::string_view windowClass);

// Whether the window takes its text as plain text only (a terminal has no formatting).
inline bool pastesPlainTextOnly(PasteStroke stroke) {
    return stroke != PasteStroke::CtrlV;
}

}  // namespace vorbix
