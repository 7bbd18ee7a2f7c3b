#include "shell/FileChooser.h"

#include <QFileDialog>

#include "components/FileFilter.h"

namespace vorbix {

std::string FileChooser::open(const std::string& filter, const std::string& suffix) const {
    return choose(false, filter, suffix);
}

std::string FileChooser::save(const std::string& filter, const std::string& suffix) const {
    return withDefaultSuffix(choose(true, filter, suffix), suffix);
}

std::string FileChooser::choose(bool save, const std::string& filter,
                                const std::string& suffix) const {
    if (override_) return override_(save, filter, suffix);
    const QString f = qtFilter(filter);
    return (save ? QFileDialog::getSaveFileName(owner_, QString(), QString(), f)
                 : QFileDialog::getOpenFileName(owner_, QString(), QString(), f))
        .toStdString();
}

}  // namespace vorbix
