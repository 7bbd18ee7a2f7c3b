// The settings held in memory that belong to the settings dialog and the insert-text editor,
// read and written with the same configuration file as the main window's own keys. Loading
// them also puts the two special combinations in force: the one that shows and hides the
// program and the one that switches all hot keys off and on. A combination the system refuses
// (another program holds it) is remembered, so the tray icon is never hidden behind it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "storage/ConfigWindows.h"

namespace vorbix {

class KeyNameSource;
class ShellCore;

class ProgramSettings {
public:
    ProgramSettings(ShellCore& core, const KeyNameSource& names) : core_(core), names_(names) {}

    // Reads both parts; the special combinations follow the file (the former ones are
    // withdrawn first). The result is that of the settings part.
    FileResult load(const std::string& path, const ConfigContext& context);
    // Writes both parts with the language and the welcome page's box of the main window.
    FileResult save(const std::string& path, const std::string& language, bool welcomeTicked);

    // Puts the two combinations (shortcut words, 0 for none) in force in place of the current
    // ones. When the system refuses one, the former ones are put back and the refused word is
    // returned; 0 when both were taken.
    uint16_t takeSpecialCombinations(uint16_t symbol, uint16_t deActivate);
    // The confirmed settings of the dialog (their combinations already taken).
    void setSettings(const SettingsConfig& settings);

    const SettingsConfig& settings() const { return settings_; }
    InsertTextConfig& insertText() { return insertText_; }
    // The combinations in force: a word is 0 when none is set or the system refused it.
    uint16_t symbolHotKey() const { return symbolWord_; }
    uint16_t deActivateHotKey() const { return deActivateWord_; }
    // The combinations the last load found set but the system refused.
    uint16_t refusedSymbolHotKey() const { return refusedSymbol_; }
    uint16_t refusedDeActivateHotKey() const { return refusedDeActivate_; }

    // A desktop that answers later (the shortcut portal) may refuse a combination after it was
    // taken: from then on it counts as refused, as if the load had found it so. Returns the
    // combinations refused since the last call (the show/hide one first).
    std::vector<uint16_t> takeLateRefusals();

private:
    // Registers `word` under `id`; false when the system refuses it.
    bool registerWord(int32_t id, uint16_t word);
    void reserve();

    ShellCore& core_;
    const KeyNameSource& names_;
    SettingsConfig settings_;
    InsertTextConfig insertText_;
    uint16_t symbolWord_ = 0, deActivateWord_ = 0;
    uint16_t refusedSymbol_ = 0, refusedDeActivate_ = 0;
};

}  // namespace vorbix
