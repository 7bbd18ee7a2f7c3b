// The rules the main window works with, gathered in one object: the table, its registration,
// the table commands with their file store, and the dispatcher. The window only moves values
// between these and its widgets.
#pragma once

#include <memory>
#include <string>

#include "core/DefaultAudioDevice.h"
#include "core/Dispatcher.h"
#include "core/HotKeyTable.h"
#include "core/KeyNotation.h"
#include "core/LanguageCatalogue.h"
#include "core/LanguageTexts.h"
#include "core/Registration.h"
#include "core/TableCommands.h"

namespace vorbix {

// The table's files: the hot key files through the storage layer, the properties notice in the
// per-user configuration file.
class FileTableStore : public TableStore {
public:
    FileTableStore(HotKeyTable& table, const LanguageTexts& texts,
                   const LanguageCatalogue& languages, std::string configPath,
                   const DeviceIdSource& defaultDeviceId)
        : table_(table),
          texts_(texts),
          languages_(languages),
          configPath_(std::move(configPath)),
          defaultDeviceId_(defaultDeviceId) {}
    Result save(const std::string& path) override;
    Result load(const std::string& path) override;
    Result examine(const std::string& path) override;
    Result keepBackup(const std::string& path) override;
    bool takePropertiesNotice() override;

private:
    HotKeyTable& table_;
    const LanguageTexts& texts_;
    const LanguageCatalogue& languages_;
    std::string configPath_;
    const DeviceIdSource& defaultDeviceId_;
};

struct ShellCoreSetup {
    HotKeyBackend& backend;
    const KeyNameSource& names;
    const LanguageTexts& texts;
    Prompter& prompter;
    ShellHooks& hooks;
    Desktop desktop;
    Permissions permissions;
    std::string hotKeyFilePath;
    std::string configFilePath;
    // Messages of section "Main" in the current language, from memory.
    std::function<std::string(std::string_view key)> message;
    // The words of every language file, read once at start.
    LanguageCatalogue languages;
};

class ShellCore {
public:
    explicit ShellCore(ShellCoreSetup setup);

    const LanguageCatalogue languages;
    HotKeyTable table;
    // The endpoint data, gathered when a volume row first needs it; the default audio
    // endpoint's id (empty without one) is asked of it only then.
    AudioEndpointsOnDemand audioEndpoints;
    DeviceIdSource defaultDeviceId;
    HotKeyRegistry registry;
    FileTableStore store;
    TableCommands commands;
    Dispatcher dispatcher;

    // Starts the sound component when the table holds a volume row, so that its first press
    // finds it ready; nothing after the first time.
    void startSoundForVolumeRows();

private:
    const LanguageTexts& texts_;
};

}  // namespace vorbix
