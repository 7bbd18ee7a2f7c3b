// The settings held in memory that belong to the settings dialog and the insert-text editor,
// read and written with the same configuration file as the main window's own keys. Loading
// them also puts the two special combinations in force: the one that shows and hides the
// program and the one that switches all hot keys off and on.
#pragma once

#include <string>

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

    const SettingsConfig& settings() const { return settings_; }
    InsertTextConfig& insertText() { return insertText_; }

private:
    ShellCore& core_;
    const KeyNameSource& names_;
    SettingsConfig settings_;
    InsertTextConfig insertText_;
};

}  // namespace vorbix
