#include "shell/mainwindow/FileCommands.h"

#include <cerrno>

#include "core/TextUtil.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/HotKeyTableModel.h"
#include "shell/mainwindow/LanguageApplier.h"
#include "shell/mainwindow/MainWindow.h"
#include "storage/AtomicFile.h"
#include "storage/HtmlExport.h"
#include "storage/LanguageFile.h"

namespace vorbix {

void FileCommands::SetLanguage(const LanguageFile& file, std::string_view section) {
    hkvFilter_ = file.text(section, "HKVFilter");
    iniFilter_ = file.text(section, "INIFilter");
    htmlFilter_ = file.text(section, "HTMLFilter");
}

FileChooser::ConfirmOverwrite FileCommands::confirmOverwrite() const {
    return [this](const std::string& path, const Prompter::Answer& answer) {
        main_.prompter().ask(fillPlaceholder(main_.message("MessageOverwrite"), "%s", path),
                             answer);
    };
}

bool FileCommands::refusedAs(const std::string& path, FileKind kind) const {
    const KindCheckedFile file = readFileOfKind(path, kind);
    std::string text;
    if (file.missing) {
        text = systemErrorText(path, ENOENT);
    } else if (!file.error.empty()) {
        text = file.error;
    } else if (file.refusal != FileRefusal::None) {
        text = fillPlaceholder(main_.message(std::string(notOfKindTextKey(kind))), "%s", path) +
               "\r\n\r\n" + main_.message(std::string(fileRefusalTextKey(file.refusal)));
    } else {
        return false;
    }
    main_.prompter().showMessage(text, MessageType::Error);
    return true;
}

void FileCommands::MenuOpenExecute() {
    TableCommands& commands = main_.core().commands;
    if (!commands.mayLoad()) {
        main_.UpdateMenuState();
        return;
    }
    chooser_.open(hkvFilter_, "hkv", [this](const std::string& path) {
        main_.core().commands.load(path, [this] { main_.UpdateMenuState(); });
    });
}

void FileCommands::MenuSaveExecute() {
    chooser_.save(hkvFilter_, "hkv", confirmOverwrite(),
                  [this](const std::string& target) { main_.core().commands.saveTo(target); });
}

void FileCommands::MenuSave2Execute() {
    chooser_.save(htmlFilter_, "html", confirmOverwrite(), [this](const std::string& target) {
        main_.model().finishAllRows();
        FileResult r = ExportHtml(target, main_.core().table, main_.language());
        if (!r.ok) main_.reportSaveFailure(r.error);
    });
}

void FileCommands::MenuSaveConfigExecute() {
    chooser_.save(iniFilter_, "ini", confirmOverwrite(), [this](const std::string& target) {
        main_.SaveMainConfig(target);
        main_.saveSettingsPart(target);
    });
}

void FileCommands::MenuLoadConfigExecute() {
    if (!main_.environment().permissions.mayChangeTable()) {
        main_.prompter().showMessage(main_.message("MessageAdminError"), MessageType::Error);
        return;
    }
    chooser_.open(iniFilter_, "ini", [this](const std::string& path) { loadConfig(path); });
}

void FileCommands::loadConfig(const std::string& path) {
    // A file that is no configuration changes nothing: not the settings, not Config.ini.
    if (refusedAs(path, FileKind::Config)) return;
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
