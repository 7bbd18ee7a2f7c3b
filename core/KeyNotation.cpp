#include "core/KeyNotation.h"

#include <array>
#include <utility>

#include "core/TextUtil.h"

namespace vorbix {

namespace {

// The fixed capture vocabulary, the same on every system.
std::string_view fixedKeyName(uint8_t vk) {
    switch (vk) {
        case 0x08:
            return "Rück";
        case 0x09:
            return "Tab";
        case 0x0D:
            return "Eingabe";
        case 0x1B:
            return "Esc";
        case 0x20:
            return "Leertaste";
        case 0x21:
            return "BildAuf";
        case 0x22:
            return "BildAb";
        case 0x23:
            return "Ende";
        case 0x24:
            return "Pos1";
        case 0x25:
            return "Links";
        case 0x26:
            return "Auf";
        case 0x27:
            return "Rechts";
        case 0x28:
            return "Ab";
        case 0x2D:
            return "Einfg";
        case 0x2E:
            return "Entf";
        default:
            return {};
    }
}

struct LayoutName {
    uint8_t vk;
    std::string_view english;
    std::string_view german;
};

// Names of the keys outside the fixed vocabulary, as the US and German Windows layouts name the
// key's scan code. Keys that sit on an extended scan code (Num /, Print, Num Lock, the Windows
// and menu keys, the right-hand modifiers, the browser and media keys) carry the name of that
// extended key, so that no two different keys share a name with a letter or another key.
constexpr std::array<LayoutName, 71> kLayoutNames = {{
    {0x03, "Break", "UNTBR"},
    {0x0C, "Num 5", "5 (ZEHNERTASTATUR)"},
    {0x10, "Shift", "UMSCHALT"},
    {0x11, "Ctrl", "STRG"},
    {0x12, "Alt", "ALT"},
    {0x13, "Pause", "PAUSE"},
    {0x14, "Caps Lock", "FESTSTELL"},
    {0x2C, "Prnt Scrn", "DRUCK"},
    {0x2F, "Help", "HILFE"},
    {0x5B, "Left Windows", "LINKE WINDOWS"},
    {0x5C, "Right Windows", "RECHTE WINDOWS"},
    {0x5D, "Application", "ANWENDUNG"},
    {0x60, "Num 0", "0 (ZEHNERTASTATUR)"},
    {0x61, "Num 1", "1 (ZEHNERTASTATUR)"},
    {0x62, "Num 2", "2 (ZEHNERTASTATUR)"},
    {0x63, "Num 3", "3 (ZEHNERTASTATUR)"},
    {0x64, "Num 4", "4 (ZEHNERTASTATUR)"},
    {0x65, "Num 5", "5 (ZEHNERTASTATUR)"},
    {0x66, "Num 6", "6 (ZEHNERTASTATUR)"},
    {0x67, "Num 7", "7 (ZEHNERTASTATUR)"},
    {0x68, "Num 8", "8 (ZEHNERTASTATUR)"},
    {0x69, "Num 9", "9 (ZEHNERTASTATUR)"},
    {0x6A, "Num *", "* (ZEHNERTASTATUR)"},
    {0x6B, "Num +", "+ (ZEHNERTASTATUR)"},
    {0x6D, "Num -", "- (ZEHNERTASTATUR)"},
    {0x6E, "Num Del", "KOMMA (ZEHNERTASTATUR)"},
    {0x6F, "Num /", "/ (ZEHNERTASTATUR)"},
    {0x90, "Num Lock", "NUM-FESTSTELL"},
    {0x91, "Scroll Lock", "ROLLEN-FESTSTELL"},
    {0xA0, "Shift", "UMSCHALT"},
    {0xA1, "Right Shift", "UMSCHALT RECHTS"},
    {0xA2, "Ctrl", "STRG"},
    {0xA3, "Right Ctrl", "STRG-RECHTS"},
    {0xA4, "Alt", "ALT"},
    {0xA5, "Right Alt", "ALT GR"},
    {0xA6, "Browser Back", "BROWSER ZURÜCK"},
    {0xA7, "Browser Forward", "BROWSER VORWÄRTS"},
    {0xA8, "Browser Refresh", "BROWSER AKTUALISIEREN"},
    {0xA9, "Browser Stop", "BROWSER ABBRECHEN"},
    {0xAA, "Browser Search", "BROWSER SUCHE"},
    {0xAB, "Browser Favorites", "BROWSER FAVORITEN"},
    {0xAC, "Browser Home", "BROWSER STARTSEITE"},
    {0xAD, "Volume Mute", "STUMM"},
    {0xAE, "Volume Down", "LEISER"},
    {0xAF, "Volume Up", "LAUTER"},
    {0xB0, "Next Track", "NÄCHSTER TITEL"},
    {0xB1, "Previous Track", "VORHERIGER TITEL"},
    {0xB2, "Stop Media", "MEDIEN STOPP"},
    {0xB3, "Play/Pause Media", "MEDIEN WIEDERGABE/PAUSE"},
    {0xB4, "Start Mail", "E-MAIL"},
    {0xB5, "Select Media", "MEDIENAUSWAHL"},
    {0xB6, "Start Application 1", "ANWENDUNG 1"},
    {0xB7, "Start Application 2", "ANWENDUNG 2"},
    {0xBA, ";", "Ü"},
    {0xBB, "=", "+"},
    {0xBC, ",", ","},
    {0xBD, "-", "-"},
    {0xBE, ".", "."},
    {0xBF, "/", "#"},
    {0xC0, "`", "Ö"},
    {0xDB, "[", "ß"},
    {0xDC, "\\", "ZIRKUMFLEX"},
    {0xDD, "]", "AKUT"},
    {0xDE, "'", "Ä"},
    {0xE2, "\\", "<"},
    {0xF6, "Attn", "ATTN"},
    {0xF7, "CrSel", "CRSEL"},
    {0xF8, "ExSel", "EXSEL"},
    {0xFA, "Play", "PLAY"},
    {0xFB, "Zoom", "ZOOM"},
    {0xFE, "Clear", "CLEAR"},
}};

struct Pair {
    std::string_view from;
    std::string_view to;
};

constexpr std::array<Pair, 2> kGermanToDisplay = {{{"ZEHNERTASTATUR", "Num"}, {"Umsch", "Shift"}}};
constexpr std::array<Pair, 2> kGermanFromDisplay = {
    {{"Num", "ZEHNERTASTATUR"}, {"Shift", "Umsch"}}};
constexpr std::array<Pair, 14> kOtherToDisplay = {{
    {"Umsch", "Shift"},
    {"Strg", "Ctrl"},
    {"BildAuf", "PgUp"},
    {"BildAb", "PgDn"},
    {"Ende", "End"},
    {"Pos1", "Home"},
    {"Links", "Left"},
    {"Oben", "Up"},
    {"Auf", "Up"},
    {"Rechts", "Right"},
    {"Unten", "Down"},
    {"Ab", "Down"},
    {"Einfg", "Ins"},
    {"Entf", "Del"},
}};
constexpr std::array<Pair, 12> kOtherFromDisplay = {{
    {"Shift", "Umsch"},
    {"Ctrl", "Strg"},
    {"PgUp", "BildAuf"},
    {"PgDn", "BildAb"},
    {"End", "Ende"},
    {"Home", "Pos1"},
    {"Left", "Links"},
    {"Up", "Auf"},
    {"Right", "Rechts"},
    {"Down", "Ab"},
    {"Ins", "Einfg"},
    {"Del", "Entf"},
}};

template <size_t N>
std::string applyPairs(std::string_view text, const std::array<Pair, N>& pairs) {
    std::string out(text);
    for (const Pair& p : pairs) out = replaceWholeWordsIgnoreCase(out, p.from, p.to);
    return out;
}

// A display text of either layout group in the capture vocabulary: the German group's pairs,
// then the other group's. No pair of one set reads a word that a pair of either set writes, so a
// text already in the capture vocabulary stays as it is and reading twice changes nothing.
std::string readForm(std::string_view text) {
    return applyPairs(applyPairs(text, kGermanFromDisplay), kOtherFromDisplay);
}

std::string keyNameOf(uint8_t vk, const KeyNameSource& names) {
    if (std::string_view fixed = fixedKeyName(vk); !fixed.empty()) return std::string(fixed);
    if ((vk >= 0x30 && vk <= 0x39) || (vk >= 0x41 && vk <= 0x5A)) return std::string(1, char(vk));
    if (vk >= 0x70 && vk <= 0x87) return "F" + std::to_string(vk - 0x6F);
    return names.keyName(vk);
}

using NameIndex = std::unordered_map<std::string, uint8_t>;

// Every key's name in one group as KeyTextFromDisplay leaves it, in folded case; the lowest code
// where several keys share a name.
NameIndex readNameIndex(BuiltinKeyNames::Group group) {
    const BuiltinKeyNames names(group);
    NameIndex index;
    for (int code = 8; code <= 0xFF; ++code) {
        const std::string n = keyNameOf(static_cast<uint8_t>(code), names);
        if (!n.empty()) index.try_emplace(foldCase(readForm(n)), static_cast<uint8_t>(code));
    }
    return index;
}

// The key a name of either group stands for, whether written in the group's own words or
// already read by KeyTextFromDisplay: the names of the active group first, so that a name both
// groups give different keys keeps the active layout's meaning.
uint8_t keyOfNameInEitherGroup(std::string_view name, bool germanFirst) {
    static const NameIndex german = readNameIndex(BuiltinKeyNames::Group::German);
    static const NameIndex english = readNameIndex(BuiltinKeyNames::Group::English);
    const std::string wanted = foldCase(readForm(name));
    for (const NameIndex* index :
         {germanFirst ? &german : &english, germanFirst ? &english : &german}) {
        if (const auto found = index->find(wanted); found != index->end()) return found->second;
    }
    return 0;
}

}  // namespace

uint8_t KeyNameSource::keyOfName(std::string_view name) const {
    for (int code = 8; code <= 0xFF; ++code) {
        const std::string n = keyNameOf(static_cast<uint8_t>(code), *this);
        if (!n.empty() && equalsIgnoreCase(n, name)) return static_cast<uint8_t>(code);
    }
    return keyOfNameInEitherGroup(name, isGermanLayout());
}

uint8_t CachedKeyNames::keyOfName(std::string_view name) const {
    if (!keysByName_) {
        keysByName_.emplace();
        for (int code = 8; code <= 0xFF; ++code) {
            const std::string n = keyNameOf(static_cast<uint8_t>(code), *this);
            if (!n.empty()) keysByName_->try_emplace(foldCase(n), static_cast<uint8_t>(code));
        }
    }
    const auto found = keysByName_->find(foldCase(name));
    return found != keysByName_->end() ? found->second
                                       : keyOfNameInEitherGroup(name, isGermanLayout());
}

std::string CachedKeyNames::keyName(uint8_t virtualKey) const {
    std::optional<std::string>& name = keyNames_[virtualKey];
    if (!name) name = names_.keyName(virtualKey);
    return *name;
}

bool CachedKeyNames::isGermanLayout() const {
    if (!german_) german_ = names_.isGermanLayout();
    return *german_;
}

std::string BuiltinKeyNames::keyNameIn(Group group, uint8_t virtualKey) {
    for (const LayoutName& n : kLayoutNames) {
        if (n.vk == virtualKey) return std::string(group == Group::German ? n.german : n.english);
    }
    return {};
}

std::string BuiltinKeyNames::keyName(uint8_t virtualKey) const {
    return keyNameIn(group_, virtualKey);
}

std::string ShortCutToKeyText(uint16_t shortCut, bool showModifiersAlone,
                              const KeyNameSource& names) {
    const std::string key = keyNameOf(static_cast<uint8_t>(shortCut & kShortCutKeyMask), names);
    if (key.empty() && !showModifiersAlone) return {};
    std::string text;
    if (shortCut & kShortCutWin) text += "Win+";
    if (shortCut & kShortCutCtrl) text += "Strg+";
    if (shortCut & kShortCutShift) text += "Umsch+";
    if (shortCut & kShortCutAlt) text += "Alt+";
    return text + key;
}

uint16_t KeyTextToShortCut(std::string_view text, const KeyNameSource& names) {
    uint16_t modifiers = 0;
    std::string_view rest = text;
    auto strip = [&rest](std::string_view prefix) {
        if (!startsWithIgnoreCase(rest, prefix)) return false;
        rest.remove_prefix(prefix.size());
        return true;
    };
    for (bool stripped = true; stripped;) {
        stripped = false;
        if (strip("Win+")) stripped = true, modifiers |= kShortCutWin;
        if (strip("^") || strip("Strg+")) stripped = true, modifiers |= kShortCutCtrl;
        if (strip("Umsch+")) stripped = true, modifiers |= kShortCutShift;
        if (strip("Alt+")) stripped = true, modifiers |= kShortCutAlt;
    }
    if (rest.empty()) return 0;
    const uint8_t code = names.keyOfName(rest);
    return code ? static_cast<uint16_t>(code | modifiers) : 0;
}

std::string KeyTextToDisplay(std::string_view captureText, const KeyNameSource& names) {
    return names.isGermanLayout() ? applyPairs(captureText, kGermanToDisplay)
                                  : applyPairs(captureText, kOtherToDisplay);
}

std::string KeyTextFromDisplay(std::string_view displayText, const KeyNameSource&) {
    // Tables travel between layouts: a text written on either group reads on every layout.
    return readForm(displayText);
}

TWinHotKey ShortCutToHotKey(uint16_t shortCut) {
    TWinHotKey hk;
    hk.Key = shortCut & kShortCutKeyMask;
    if (shortCut & kShortCutShift) hk.Modifiers |= MOD_SHIFT;
    if (shortCut & kShortCutAlt) hk.Modifiers |= MOD_ALT;
    if (shortCut & kShortCutCtrl) hk.Modifiers |= MOD_CONTROL;
    if (shortCut & kShortCutWin) hk.Modifiers |= MOD_WIN;
    return hk;
}

bool keyTypesCharacter(uint16_t virtualKey) {
    return virtualKey == 0x20 || (virtualKey >= 0x30 && virtualKey <= 0x39) ||
           (virtualKey >= 0x41 && virtualKey <= 0x5A) ||
           (virtualKey >= 0xBA && virtualKey <= 0xC0) ||
           (virtualKey >= 0xDB && virtualKey <= 0xDF) || virtualKey == 0xE2;
}

TypingClash typingClashOf(const TWinHotKey& combination) {
    if (!keyTypesCharacter(combination.Key)) return TypingClash::None;
    if (combination.Modifiers == 0) return TypingClash::Character;
    if (combination.Modifiers == MOD_SHIFT) return TypingClash::ShiftCharacter;
    return TypingClash::None;
}

TWinHotKey hotKeyOfText(std::string_view displayText, const KeyNameSource& names) {
    return ShortCutToHotKey(KeyTextToShortCut(KeyTextFromDisplay(displayText, names), names));
}

}  // namespace vorbix
