// What the settings dialog needs of the program: the language and its texts, messages, the
// screen, the key names, the user's rights and data folder, the settings as the configuration
// file holds them, the platform's autostart entry and policy step, and the confirmation that
// checks and applies the settings the dialog hands over.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "components/Translatable.h"
#include "core/KeyNotation.h"
#include "core/Ports.h"
#include "core/Registration.h"
#include "shell/settings/SettingsRules.h"
#include "shell/settings/SettingsServices.h"
#include "storage/ConfigWindows.h"

namespace vorbix {

class SettingsHost {
public:
    virtual ~SettingsHost() = default;
    virtual const LanguageSource& language() const = 0;
    // A text of section "Main" of the current language (messages shared with the main window).
    virtual std::string mainText(std::string_view key) const = 0;
    virtual Prompter& prompter() = 0;
    virtual int ppi() const = 0;
    virtual const KeyNameSource& keyNames() const = 0;
    virtual const Permissions& permissions() const = 0;
    virtual std::string dataFolder() const = 0;
    // The dialog's keys as the configuration file holds them now.
    virtual SettingsConfig storedSettings() = 0;
    virtual AutostartEntry& autostart() = 0;
    virtual PolicyStep& policyStep() = 0;
    // OK: checks everything first; when something is refused, says why and changes nothing (the
    // dialog stays open). A new combination that types a character is asked about first; No
    // changes nothing either. Otherwise applies the settings to the program, stores them, writes
    // the autostart entry and runs `accepted` (the dialog closes). After a question, this
    // happens when it is answered, and only if the dialog is still open then.
    virtual void confirm(SettingsConfig settings, const AutostartChoice& autostart,
                         bool languageChanged, std::function<void()> accepted) = 0;
    // Opens the desktop's own settings of the program's shortcuts; null where the desktop has
    // none for it.
    virtual std::function<void()> desktopShortcuts() const { return {}; }
};

}  // namespace vorbix
