#include "shell/mainwindow/FileChooser.h"

#include <QFileDialog>

#include "components/FileFilter.h"
#include "storage/AtomicFile.h"

namespace vorbix {

void FileChooser::open(const std::string& filter, const std::string& suffix, Chosen chosen) {
    choose(false, filter, suffix, std::move(chosen));
}

void FileChooser::save(const std::string& filter, const std::string& suffix,
                       ConfirmOverwrite confirm, Chosen chosen) {
    choose(true, filter, suffix,
           [suffix, confirm = std::move(confirm),
            chosen = std::move(chosen)](const std::string& named) {
               const std::string path = withDefaultSuffix(named, suffix);
               // The extension added here, after the dialog: the dialog did not see this name.
               if (path == named || !fileExists(path)) return chosen(path);
               if (!confirm) return;
               confirm(path, [chosen, path](bool yes) {
                   if (yes) chosen(path);
               });
           });
}

QFileDialog* FileChooser::dialog() const {
    return dialog_;
}

void FileChooser::choose(bool save, const std::string& filter, const std::string& suffix,
                         Chosen chosen) {
    if (override_) {
        const std::string path = override_(save, filter, suffix);
        if (!path.empty()) chosen(path);
        return;
    }
    // One dialog at a time: a second command closes the first unanswered.
    if (dialog_) dialog_->close();
    auto* dialog = new QFileDialog(owner_, QString(), QString(), qtFilter(filter));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // The dialog completes a typed name before it asks whether to replace an existing file.
    dialog->setDefaultSuffix(QString::fromStdString(suffix));
    // Taken once the dialog has closed, so that a message box the choice leads to belongs to
    // the window, not to the dialog on its way out.
    QObject::connect(dialog, &QDialog::accepted, dialog, [dialog, chosen = std::move(chosen)] {
        const QString file = dialog->selectedFiles().value(0);
        if (!file.isEmpty()) chosen(file.toStdString());
    });
    dialog_ = dialog;
    dialog->open();
}

}  // namespace vorbix
