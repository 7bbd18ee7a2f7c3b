// Producing a stored key combination as key strokes: the modifier release, then the
// combination's modifiers and key pressed and released as if typed.
#pragma once

#include <cstdint>
#include <string>

#include "core/KeyNotation.h"
#include "core/Ports.h"

namespace vorbix {

// Virtual-key codes of the modifiers a combination can hold.
inline constexpr uint8_t kVkShift = 0x10;
inline constexpr uint8_t kVkControl = 0x11;
inline constexpr uint8_t kVkAlt = 0x12;
inline constexpr uint8_t kVkLeftWin = 0x5B;

// Presses the combination of a shortcut word: releases the modifiers, then presses Ctrl, Alt,
// Shift and the Windows key as the word holds them, presses and releases the key, and releases
// the modifiers in reverse order. A word without a key (low byte 0) sends nothing and gives
// false.
bool strokeShortCut(uint16_t shortCut, KeyboardOutput& keys);

// The same for a stored key text in display form (the current layout's modifier words, "Win+"
// for the Windows key). A text that names no complete combination sends nothing and gives
// false.
bool simulateKeyComb(const std::string& keyText, const KeyNameSource& names, KeyboardOutput& keys);

}  // namespace vorbix
