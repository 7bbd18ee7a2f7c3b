// A combination in the trigger notation of the desktop portals' global shortcuts: the
// modifiers in capitals joined with '+' (LOGO, CTRL, ALT, SHIFT), then the XKB name of the key's
// symbol: "CTRL+ALT+h", "LOGO+SHIFT+z", "CTRL+SHIFT+Return". Other spellings and unknown names
// make the desktop bind nothing without telling why, so only this form is produced.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/KeyNotation.h"

namespace vorbix::portal {

// Whether the keyboard carries a keysym (the punctuation keys differ by layout).
using KeysymOnKeyboard = std::function<bool(uint32_t keysym)>;

// The trigger of `combination`; empty when its key has no keysym with an XKB name. Of the
// keysyms a virtual key stands for, the first the keyboard carries is taken (the usual one
// when `onKeyboard` is null or carries none).
std::string portalTrigger(const TWinHotKey& combination, const KeysymOnKeyboard& onKeyboard = {});

// The XKB name of a keysym ("Return", "h", "KP_5"); empty when it has none.
std::string xkbKeyName(uint32_t keysym);

}  // namespace vorbix::portal
