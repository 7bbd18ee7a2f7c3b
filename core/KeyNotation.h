// The three forms of a key combination: the 16-bit shortcut word, its text (capture form with
// the fixed German vocabulary, display form translated for the keyboard layout) and the
// registration form TWinHotKey.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vorbix {

// Shortcut word bits.
inline constexpr uint16_t kShortCutKeyMask = 0x00FF;
inline constexpr uint16_t kShortCutWin = 0x1000;
inline constexpr uint16_t kShortCutShift = 0x2000;
inline constexpr uint16_t kShortCutCtrl = 0x4000;
inline constexpr uint16_t kShortCutAlt = 0x8000;

// Hot key modifier flags of the registration form.
inline constexpr uint32_t MOD_ALT = 1;
inline constexpr uint32_t MOD_CONTROL = 2;
inline constexpr uint32_t MOD_SHIFT = 4;
inline constexpr uint32_t MOD_WIN = 8;

struct TWinHotKey {
    uint16_t Key = 0;        // virtual-key code
    uint32_t Modifiers = 0;  // MOD_* flags
    bool operator==(const TWinHotKey&) const = default;
};

// Where the names of keys outside the fixed vocabulary come from, and which layout group is
// active. The names are those the Windows keyboard layouts give, so stored texts travel.
class KeyNameSource {
public:
    virtual ~KeyNameSource() = default;
    // The layout's name of the virtual key, empty when the key has none.
    virtual std::string keyName(uint8_t virtualKey) const = 0;
    // Whether the active keyboard layout is a German one (Germany or Switzerland).
    virtual bool isGermanLayout() const = 0;
    // The virtual key (8 to 255) that a key text names by `name` (letter case ignored): the
    // lowest when several keys have that name, 0 when none has. A name this source does not
    // give is looked for among the built-in names of both layout groups, also in the form
    // KeyTextFromDisplay leaves it ("ZEHNERTASTATUR Entf" for "Num Del"), the active group's first.
    virtual uint8_t keyOfName(std::string_view name) const;
};

// Another source's names, each asked for once: reading many key texts in a row (registering a
// whole table) asks for every name of every key for each text. For the time of one such batch,
// in which the layout does not change.
class CachedKeyNames : public KeyNameSource {
public:
    explicit CachedKeyNames(const KeyNameSource& names) : names_(names) {}
    std::string keyName(uint8_t virtualKey) const override;
    bool isGermanLayout() const override;
    uint8_t keyOfName(std::string_view name) const override;

private:
    const KeyNameSource& names_;
    mutable std::array<std::optional<std::string>, 256> keyNames_;
    mutable std::optional<bool> german_;
    // Every key's name in folded case, made on the first look-up.
    mutable std::optional<std::unordered_map<std::string, uint8_t>> keysByName_;
};

// The built-in names of the German and of the English layout group.
class BuiltinKeyNames : public KeyNameSource {
public:
    enum class Group { German, English };
    explicit BuiltinKeyNames(Group group) : group_(group) {}
    std::string keyName(uint8_t virtualKey) const override;
    bool isGermanLayout() const override { return group_ == Group::German; }
    // The names of one group, for a source that decides the group itself.
    static std::string keyNameIn(Group group, uint8_t virtualKey);

private:
    Group group_;
};

std::string ShortCutToKeyText(uint16_t shortCut, bool showModifiersAlone,
                              const KeyNameSource& names);
uint16_t KeyTextToShortCut(std::string_view text, const KeyNameSource& names);
// The display form of the active layout group: texts are written for the layout they are made on.
std::string KeyTextToDisplay(std::string_view captureText, const KeyNameSource& names);
// Reads a display text of either layout group (the German group's pairs, then the other's), so a
// table made on one layout works on every other; `names` is not consulted.
std::string KeyTextFromDisplay(std::string_view displayText, const KeyNameSource& names);
TWinHotKey ShortCutToHotKey(uint16_t shortCut);

// Whether the key types a character, alone or with Shift: letters, digits, Space and the
// punctuation keys. Function, navigation, editing, numeric-pad and media keys do not.
bool keyTypesCharacter(uint16_t virtualKey);

// What a combination does to typing when it is bound system-wide.
enum class TypingClash {
    None,            // it types nothing, or it has a modifier that types nothing
    Character,       // no modifier, and the key types a character that could no longer be typed
    ShiftCharacter,  // Shift alone with a character key: it only types another character
};
TypingClash typingClashOf(const TWinHotKey& combination);

// The combination a stored row text stands for: ShortCutToHotKey(KeyTextToShortCut(
// KeyTextFromDisplay(text))).
TWinHotKey hotKeyOfText(std::string_view displayText, const KeyNameSource& names);

}  // namespace vorbix
