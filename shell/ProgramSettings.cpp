#include "shell/ProgramSettings.h"

#include "shell/ShellCore.h"

namespace vorbix {

FileResult ProgramSettings::load(const std::string& path, const ConfigContext& context) {
    const FileResult r = LoadSettingsConfig(path, context, settings_);
    LoadInsertTextConfig(path, context, insertText_);
    core_.registry.UnRegisterHK(SymbolHotKeyId);
    core_.registry.UnRegisterHK(DeActivateHotKeyId);
    auto wordOf = [this](const std::string& text) {
        return KeyTextToShortCut(KeyTextFromDisplay(text, names_), names_);
    };
    const uint16_t symbolWord = settings_.symbolHotKeyOn ? wordOf(settings_.symbolHotKey) : 0;
    const uint16_t deactivateWord =
        settings_.deActivateHotKeyOn ? wordOf(settings_.deActivateHotKey) : 0;
    if (symbolWord) core_.registry.RegisterHK(SymbolHotKeyId, ShortCutToHotKey(symbolWord));
    if (deactivateWord) {
        core_.registry.RegisterHK(DeActivateHotKeyId, ShortCutToHotKey(deactivateWord));
    }
    core_.commands.setReservedCombinations(symbolWord, deactivateWord);
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

}  // namespace vorbix
