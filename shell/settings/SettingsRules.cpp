#include "shell/settings/SettingsRules.h"

namespace vorbix {

uint16_t specialCombinationWord(const std::string& text, const KeyNameSource& names) {
    if (text.empty()) return 0;
    return KeyTextToShortCut(KeyTextFromDisplay(text, names), names);
}

std::string specialCombinationText(uint16_t word, const KeyNameSource& names) {
    return word ? ShortCutToKeyText(word, false, names) : std::string();
}

std::string specialCombinationDisplay(uint16_t word, const KeyNameSource& names) {
    return KeyTextToDisplay(specialCombinationText(word, names), names);
}

SpecialCombinations specialCombinationsOn(const SettingsConfig& settings,
                                          const KeyNameSource& names) {
    SpecialCombinations on;
    if (settings.symbolHotKeyOn) on.symbol = specialCombinationWord(settings.symbolHotKey, names);
    if (settings.deActivateHotKeyOn) {
        on.deActivate = specialCombinationWord(settings.deActivateHotKey, names);
    }
    return on;
}

bool tableHolds(const HotKeyTable& table, uint16_t word, const KeyNameSource& names) {
    if (!word) return false;
    for (const HotKeyEntry& row : table.rows()) {
        if (specialCombinationWord(row.HotKeyText, names) == word) return true;
    }
    return false;
}

SpecialCombinationCheck checkSpecialCombinations(const SettingsConfig& settings,
                                                 const HotKeyTable& table,
                                                 const KeyNameSource& names) {
    const auto [symbol, deActivate] = specialCombinationsOn(settings, names);
    if (settings.symbolHotKeyOn) {
        if (!symbol) return {"MessageSymbolHotKeyError1"};
        if (tableHolds(table, symbol, names) || symbol == deActivate) {
            return {"MessageSymbolHotKeyError2"};
        }
    }
    if (settings.deActivateHotKeyOn) {
        if (!deActivate) return {{}, true};
        if (tableHolds(table, deActivate, names)) return {"MessageDeactivateHotKeyError"};
    }
    return {};
}

TypingClash specialCombinationsTyping(const SettingsConfig& settings, const SettingsConfig& before,
                                      const KeyNameSource& names) {
    const SpecialCombinations now = specialCombinationsOn(settings, names);
    const SpecialCombinations taken = specialCombinationsOn(before, names);
    TypingClash clash = TypingClash::None;
    for (const uint16_t word : {now.symbol, now.deActivate}) {
        if (!word) continue;
        switch (typingClashOf(ShortCutToHotKey(word))) {
            case TypingClash::ShiftCharacter:
                return TypingClash::ShiftCharacter;
            case TypingClash::Character:
                if (word != taken.symbol && word != taken.deActivate) {
                    clash = TypingClash::Character;
                }
                break;
            case TypingClash::None:
                break;
        }
    }
    return clash;
}

AutostartChoice autostartChoiceOf(const std::optional<std::string>& value,
                                  std::string_view programPath) {
    if (!value) return {};
    const std::string hidden = "\"" + std::string(programPath) + "\" hide";
    return {true, *value == hidden};
}

std::optional<std::string> autostartValueFor(const AutostartChoice& choice,
                                             std::string_view programPath) {
    if (!choice.start) return std::nullopt;
    if (choice.hidden) return "\"" + std::string(programPath) + "\" hide";
    return std::string(programPath);
}

void resetToDefaults(SettingsConfig& settings, AutostartChoice& autostart) {
    SettingsConfig defaults;
    defaults.language = settings.language;
    settings = defaults;
    autostart = {true, true};
}

}  // namespace vorbix
