#include "shell/StartupSequence.h"

#include "core/VolumeAction.h"
#include "shell/HotKeyTableModel.h"
#include "shell/LanguageApplier.h"
#include "shell/MainWindow.h"
#include "shell/ShellCore.h"
#include "storage/StorageLocations.h"

namespace vorbix {

void StartupSequence::run() {
    const FirstRunResult prepared = prepareDataFolder(main_.environment().dataFolder);
    if (!prepared) {
        // Without a data folder the window still speaks its language and shows no rows.
        main_.prompter().showMessage(prepared.error, MessageType::Error);
        main_.languages().applyAll();
        main_.finishStartUp(false);
        return;
    }
    main_.LoadMainConfig(main_.configPath());
    // Only the main window exists yet; the other windows translate themselves when created.
    main_.languages().applyAll();
    // The notice for systems older than the oldest supported one has no counterpart here.
    loadHotKeyFile();
    main_.applyActivePresentation();
    main_.setWindowTitle(QStringLiteral("Pellmarr - Vorbix"));
    if (TAudioVolume* audio = main_.environment().desktop.audio) selectFinalAudioDevice(*audio);
    main_.UpdateMenuState();
    main_.loadSettingsPart(main_.configPath());
    main_.finishStartUp(true);
}

void StartupSequence::loadHotKeyFile() {
    ShellCore& core = main_.core();
    // The audio endpoints: new volume rows get the default device's id (none without devices).
    if (TAudioVolume* audio = main_.environment().desktop.audio) {
        const std::string id = gatherAudioEndpoints(*audio).DefaultDeviceId;
        core.defaultDeviceId = id;
        core.commands.setDefaultDeviceId(id);
    }
    TableStore::Result loaded;
    main_.model().resetAround([&] { loaded = core.store.load(main_.hotKeyPath()); });
    if (!loaded.error.empty()) main_.prompter().showMessage(loaded.error, MessageType::Error);
    core.commands.reportLeftOut(loaded.rowsLeftOut);
    core.registry.RegisterAllHotKeys();
    if (!core.registry.active()) core.registry.UnregisterAllHotKeys();
}

}  // namespace vorbix
