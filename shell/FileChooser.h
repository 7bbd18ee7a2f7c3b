// The file dialogs of the main window: open an existing file or choose a file to save, with a
// filter of the language file. A name typed without an extension gets the default one before
// anything checks whether that file exists, so an existing file is never replaced unasked.
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace vorbix {

class FileChooser {
public:
    // Stands in for the dialogs (tests): (save, filter, suffix) -> path, empty on Cancel.
    using Override =
        std::function<std::string(bool save, const std::string& filter, const std::string& suffix)>;
    // Asked whether an existing file may be replaced.
    using ConfirmOverwrite = std::function<bool(const std::string& path)>;

    FileChooser(QWidget* owner, Override override)
        : owner_(owner), override_(std::move(override)) {}

    // The chosen file, empty on Cancel.
    std::string open(const std::string& filter, const std::string& suffix) const;
    // The file to save, with the default extension when none was typed; empty on Cancel, and
    // when the file exists and `confirm` does not allow replacing it. (The dialog itself asks
    // for a name that it returns complete.)
    std::string save(const std::string& filter, const std::string& suffix,
                     const ConfirmOverwrite& confirm) const;

private:
    std::string choose(bool save, const std::string& filter, const std::string& suffix) const;
    QWidget* owner_;
    Override override_;
};

}  // namespace vorbix
