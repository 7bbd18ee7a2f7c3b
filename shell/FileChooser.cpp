#include "shell/FileChooser.h"

#include <QFileDialog>

#include "components/FileFilter.h"
#include "storage/AtomicFile.h"

namespace vorbix {

std::string FileChooser::open(const std::string& filter, const std::string& suffix) const {
    return choose(false, filter, suffix);
}

std::string FileChooser::save(const std::string& filter, const std::string& suffix,
                              const ConfirmOverwrite& confirm) const {
    const std::string chosen = choose(true, filter, suffix);
    const std::string path = withDefaultSuffix(chosen, suffix);
    // The extension added here, after the dialog: the dialog did not see this name.
    if (path != chosen && fileExists(path) && !(confirm && confirm(path))) return {};
    return path;
}

std::string FileChooser::choose(bool save, const std::string& filter,
                                const std::string& suffix) const {
    if (override_) return override_(save, filter, suffix);
    QFileDialog dialog(owner_, QString(), QString(), qtFilter(filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The dialog completes a typed name before it asks whether to replace an existing file.
    dialog.setDefaultSuffix(QString::fromStdString(suffix));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first().toStdString();
}

}  // namespace vorbix
