#include "shell/StartupSequence.h"

#include "core/TextUtil.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/HotKeyTableModel.h"
#include "shell/mainwindow/LanguageApplier.h"
#include "shell/mainwindow/MainWindow.h"
#include "storage/FileKind.h"
#include "storage/StorageLocations.h"

namespace vorbix {

// The window's start-up is defined here, beside the order it runs, so that the window's own
// files do not depend on the start-up above them.
void TMain::startUp() {
    StartupSequence(*this).run();
}

void StartupSequence::run() {
    const FirstRunResult prepared = prepareDataFolder(main_.environment().dataFolder);
    if (!prepared) {
        // Without a data folder the window still speaks its language and shows no rows.
        main_.prompter().showMessage(prepared.error, MessageType::Error);
        main_.languages().applyAll();
        main_.finishStartUp(false);
        return;
    }
    // A configuration file that is none (binary bytes, another kind of file) is moved aside
    // and the program starts with its defaults; read as it is, its bytes would be kept and
    // written back around the program's own keys.
    const std::string configPath = main_.configPath();
    const KindCheckedFile config = readFileOfKind(configPath, FileKind::Config);
    FileResult configAside;
    if (config.refusal != FileRefusal::None) configAside = setAsideRefusedFile(configPath);
    main_.LoadMainConfig(configPath);
    // Only the main window exists yet; the other windows translate themselves when created.
    main_.languages().applyAll();
    if (config.refusal != FileRefusal::None) {
        main_.prompter().showMessage(
            fillPlaceholder(main_.message("MessageConfigFileSetAside"), "%s", configPath) +
                "\r\n\r\n" + main_.message(std::string(fileRefusalTextKey(config.refusal))) +
                (configAside ? "" : "\r\n\r\n" + configAside.error),
            MessageType::Error);
    }
    // The notice for systems older than the oldest supported one has no counterpart here.
    loadHotKeyFile();
    main_.applyActivePresentation();
    main_.setWindowTitle(QStringLiteral("Pellmarr - Vorbix"));
    main_.UpdateMenuState();
    main_.loadSettingsPart(main_.configPath());
    main_.finishStartUp(true);
}

void StartupSequence::loadHotKeyFile() {
    ShellCore& core = main_.core();
    // The audio endpoints are gathered when the first volume row needs the default device's id
    // (a row of the file without a device, a new row), or when the table holds a volume row
    // (registration), before any hot key can fire: a table without volume rows starts no sound.
    TableStore::Result loaded;
    main_.model().resetAround([&] { loaded = core.store.load(main_.hotKeyPath()); });
    if (!loaded.refusalKey.empty()) {
        // Not a table: it is moved aside, so that the next save (of the empty table) keeps it.
        const std::string path = main_.hotKeyPath();
        const FileResult aside = setAsideRefusedFile(path);
        main_.prompter().showMessage(
            fillPlaceholder(main_.message("MessageHotKeyFileSetAside"), "%s", path) + "\r\n\r\n" +
                main_.message(loaded.refusalKey) + (aside ? "" : "\r\n\r\n" + aside.error),
            MessageType::Error);
    } else if (!loaded.error.empty()) {
        main_.prompter().showMessage(loaded.error, MessageType::Error);
    }
    core.commands.reportLeftOut(loaded.rowsLeftOut);
    core.registry.RegisterAllHotKeys();
    if (!core.registry.active()) core.registry.UnregisterAllHotKeys();
}

}  // namespace vorbix
