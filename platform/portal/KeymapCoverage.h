// Which characters a keyboard can type: the keysyms its XKB keymap carries on any key, layout and
// level. Typing through the RemoteDesktop portal reaches only those; the rest must be reported,
// not dropped.
#pragma once

#include <cstdint>
#include <set>
#include <string>

namespace vorbix::portal {

// The keysym that types the character (Return for a line break, Tab for a tab); 0 when none.
uint32_t keysymForCharacter(char32_t c);

class KeymapCoverage {
public:
    // From the keymap in XKB text form; an empty or unreadable text knows no keys at all.
    explicit KeymapCoverage(const std::string& keymapText);
    // From the rules' names ("us", "de"), for tests and as a stand-in.
    static KeymapCoverage fromLayout(const std::string& layout);

    bool known() const { return known_; }
    bool canType(char32_t c) const;
    // The characters of the text that cannot be typed, each once, in order of first appearance.
    // Without a known keymap only the characters that have no keysym at all count as missing.
    std::u32string missing(const std::u32string& text) const;

private:
    KeymapCoverage() = default;
    bool known_ = false;
    std::set<uint32_t> keysyms_;
};

// The characters to type for a text: CR LF and a lone CR become one line break (LF).
std::u32string charactersToType(const std::string& utf8);

}  // namespace vorbix::portal
