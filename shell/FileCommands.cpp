#include "shell/FileCommands.h"

#include "core/TextUtil.h"
#include "shell/HotKeyTableModel.h"
#include "shell/LanguageApplier.h"
#include "shell/MainWindow.h"
#include "shell/ShellCore.h"
#include "storage/HtmlExport.h"
#include "storage/LanguageFile.h"

namespace vorbix {

void FileCommands::SetLanguage(const LanguageFile& file, std::string_view section) {
    hkvFilter_ = file.text(section, "HKVFilter");
    iniFilter_ = file.text(section, "INIFilter");
    htmlFilter_ = file.text(section, "HTMLFilter");
}

FileChooser::ConfirmOverwrite FileCommands::confirmOverwrite() const {
    return [this](const std::string& path) {
        return main_.prompter().askYesNo(
            fillPlaceholder(main_.message("MessageOverwrite"), "%s", path));
    };
}

void FileCommands::MenuOpenExecute() {
    TableCommands& commands = main_.core().commands;
    if (!commands.mayLoad()) {
        main_.UpdateMenuState();
        return;
    }
    const std::string path = chooser_.open(hkvFilter_, "hkv");
    if (path.empty()) return;
    commands.load(path);
    main_.UpdateMenuState();
}

void FileCommands::MenuSaveExecute() {
    const std::string target = chooser_.save(hkvFilter_, "hkv", confirmOverwrite());
    if (target.empty()) return;
    main_.core().commands.saveTo(target);
}

void FileCommands::MenuSave2Execute() {
    const std::string target = chooser_.save(htmlFilter_, "html", confirmOverwrite());
    if (target.empty()) return;
    main_.model().finishAllRows();
    FileResult r = ExportHtml(target, main_.core().table, main_.language());
    if (!r.ok) main_.reportSaveFailure(r.error);
}

void FileCommands::MenuSaveConfigExecute() {
    const std::string target = chooser_.save(iniFilter_, "ini", confirmOverwrite());
    if (target.empty()) return;
    main_.SaveMainConfig(target);
    main_.saveSettingsPart(target);
}

void FileCommands::MenuLoadConfigExecute() {
    if (!main_.environment().permissions.mayChangeTable()) {
        main_.prompter().showMessage(main_.message("MessageAdminError"), MessageType::Error);
        return;
    }
    const std::string path = chooser_.open(iniFilter_, "ini");
    if (path.empty()) return;
    HotKeyRegistry& registry = main_.core().registry;
    const bool wasActive = registry.active();
    main_.LoadMainConfig(path);
    main_.loadSettingsPart(path);
    main_.languages().applyAll();
    // The activation state of the file is brought fully in line: registrations, icons, label.
    const bool nowActive = registry.active();
    registry.setActive(wasActive);
    main_.switchHotKeys(nowActive);
    main_.SaveMainConfig(main_.configPath());
    main_.saveSettingsPart(main_.configPath());
}

}  // namespace vorbix
