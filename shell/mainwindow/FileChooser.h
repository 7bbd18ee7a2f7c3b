// The file dialogs of the main window: open an existing file or choose a file to save, with a
// filter of the language file. A name typed without an extension gets the default one before
// anything checks whether that file exists, so an existing file is never replaced unasked. The
// dialogs open with open(), never exec(): the program goes on answering hot keys, the tray and
// the end of the session meanwhile, and the choice arrives through a callback.
#pragma once

#include <QPointer>
#include <functional>
#include <string>

#include "core/Ports.h"

class QFileDialog;
class QWidget;

namespace vorbix {

class FileChooser {
public:
    // Stands in for the dialogs (tests): (save, filter, suffix) -> path, empty on Cancel.
    using Override =
        std::function<std::string(bool save, const std::string& filter, const std::string& suffix)>;
    // Asks whether an existing file may be replaced and passes the reply to `answer`.
    using ConfirmOverwrite =
        std::function<void(const std::string& path, const Prompter::Answer& answer)>;
    // Receives the chosen file; not called on Cancel.
    using Chosen = std::function<void(const std::string& path)>;

    FileChooser(QWidget* owner, Override override)
        : owner_(owner), override_(std::move(override)) {}

    // Lets the user choose an existing file; `chosen` runs with it.
    void open(const std::string& filter, const std::string& suffix, Chosen chosen);
    // Lets the user name a file to save; `chosen` runs with it, completed by the default
    // extension when none was typed, and only after `confirm` allowed replacing a file that
    // exists under that completed name. (The dialog itself asks for a name that it returns
    // complete.)
    void save(const std::string& filter, const std::string& suffix, ConfirmOverwrite confirm,
              Chosen chosen);
    // The dialog open now; null when none is (or the override stands in).
    QFileDialog* dialog() const;

private:
    void choose(bool save, const std::string& filter, const std::string& suffix, Chosen chosen);
    QWidget* owner_;
    Override override_;
    QPointer<QFileDialog> dialog_;
};

}  // namespace vorbix
