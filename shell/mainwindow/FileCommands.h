// The commands of the main window that go through a file dialog: load a hot key file, save the
// table as a hot key file or as a web page, export and import the configuration. The filters of
// the dialogs come from the language file.
#pragma once

#include <string>
#include <string_view>

#include "shell/mainwindow/FileChooser.h"
#include "storage/FileKind.h"

namespace vorbix {

class LanguageFile;
class TMain;

class FileCommands {
public:
    FileCommands(TMain& main, FileChooser chooser) : main_(main), chooser_(std::move(chooser)) {}

    void SetLanguage(const LanguageFile& file, std::string_view section);

    void MenuOpenExecute();
    void MenuSaveExecute();
    void MenuSave2Execute();
    void MenuSaveConfigExecute();
    void MenuLoadConfigExecute();

    // The chooser of the commands (tests look at its open dialog).
    const FileChooser& chooser() const { return chooser_; }

private:
    // Asks whether an existing file may be replaced.
    FileChooser::ConfirmOverwrite confirmOverwrite() const;
    // True, after telling the user why, when the file cannot be read or is not of `kind`.
    bool refusedAs(const std::string& path, FileKind kind) const;
    void loadConfig(const std::string& path);

    TMain& main_;
    FileChooser chooser_;
    std::string hkvFilter_, iniFilter_, htmlFilter_;
};

}  // namespace vorbix
