// The file dialogs of the main window: open an existing file or choose a file to save, with a
// filter of the language file; a saved name without an extension gets the default one.
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

    FileChooser(QWidget* owner, Override override)
        : owner_(owner), override_(std::move(override)) {}

    // The chosen file, empty on Cancel.
    std::string open(const std::string& filter, const std::string& suffix) const;
    std::string save(const std::string& filter, const std::string& suffix) const;

private:
    std::string choose(bool save, const std::string& filter, const std::string& suffix) const;
    QWidget* owner_;
    Override override_;
};

}  // namespace vorbix
