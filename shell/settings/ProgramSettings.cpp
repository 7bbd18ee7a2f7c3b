#include "shell/settings/ProgramSettings.h"

#include "shell/common/ShellCore.h"
#include "shell/settings/SettingsRules.h"

#include <tuple>
#include <utility>

namespace vorbix {

FileResult ProgramSettings::load(const std::string& path, const ConfigContext& context) {
    const FileResult r = LoadSettingsConfig(path, context, settings_);
    LoadInsertTextConfig(path, context, insertText_);
    core_.registry.UnRegisterHK(SymbolHotKeyId);
    core_.registry.UnRegisterHK(DeActivateHotKeyId);
    const auto [symbol, deActivate] = specialCombinationsOn(settings_, names_);
    symbolWord_ = registerWord(SymbolHotKeyId, symbol) ? symbol : 0;
    deActivateWord_ = registerWord(DeActivateHotKeyId, deActivate) ? deActivate : 0;
    refusedSymbol_ = symbolWord_ == symbol ? 0 : symbol;
    refusedDeActivate_ = deActivateWord_ == deActivate ? 0 : deActivate;
    reserve();
    return r;
}

FileResult ProgramSettings::save(const std::string& path, const std::string& language,
                                 bool welcomeTicked) {
    settings_.language = language;
    settings_.welcomeCheckBoxTicked = welcomeTicked;
    FileResult r = SaveSettingsConfig(path, settings_);
    if (r.ok) r = SaveInsertTextConfig(path, insertText_);
    return r;
}

bool ProgramSettings::registerWord(int32_t id, uint16_t word) {
    return word == 0 || core_.registry.RegisterHK(id, ShortCutToHotKey(word));
}

std::vector<uint16_t> ProgramSettings::takeLateRefusals() {
    std::vector<uint16_t> refused;
    for (auto [id, word, refusedWord] :
         {std::tuple{SymbolHotKeyId, &symbolWord_, &refusedSymbol_},
          std::tuple{DeActivateHotKeyId, &deActivateWord_, &refusedDeActivate_}}) {
        if (*word == 0 || core_.registry.specialResult(id).ok()) continue;
        *refusedWord = std::exchange(*word, 0);
        refused.push_back(*refusedWord);
    }
    return refused;
}

uint16_t ProgramSettings::takeSpecialCombinations(uint16_t symbol, uint16_t deActivate) {
    core_.registry.UnRegisterHK(SymbolHotKeyId);
    core_.registry.UnRegisterHK(DeActivateHotKeyId);
    uint16_t refused = 0;
    if (!registerWord(SymbolHotKeyId, symbol)) {
        refused = symbol;
    } else if (!registerWord(DeActivateHotKeyId, deActivate)) {
        refused = deActivate;
        core_.registry.UnRegisterHK(SymbolHotKeyId);
    }
    if (refused) {
        // The former combinations come back as they were.
        registerWord(SymbolHotKeyId, symbolWord_);
        registerWord(DeActivateHotKeyId, deActivateWord_);
        return refused;
    }
    symbolWord_ = symbol;
    deActivateWord_ = deActivate;
    refusedSymbol_ = refusedDeActivate_ = 0;
    reserve();
    return 0;
}

void ProgramSettings::setSettings(const SettingsConfig& settings) {
    settings_ = settings;
}

void ProgramSettings::reserve() {
    // The table refuses the combinations of the settings, also one the system refused.
    core_.commands.setReservedCombinations(symbolWord_ ? symbolWord_ : refusedSymbol_,
                                           deActivateWord_ ? deActivateWord_ : refusedDeActivate_);
}

}  // namespace vorbix
