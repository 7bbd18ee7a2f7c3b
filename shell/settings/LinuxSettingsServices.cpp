#include "shell/settings/LinuxSettingsServices.h"

#include <QCoreApplication>

#include "platform/linux/Autostart.h"
#include "platform/linux/UserRights.h"

namespace vorbix {

LinuxSettingsServices::LinuxSettingsServices(const std::string& programFolder, QObject* parent)
    : QObject(parent), job_(PolicyApplyJob::helperIn(programFolder), isElevated()) {
    connect(&job_, &PolicyApplyJob::finished, this, [this] {
        const PolicyApplyJob::Result& r = job_.result();
        Result result;
        result.authorised = r.outcome != PolicyApplyJob::Outcome::NotAuthorised;
        if (r.outcome == PolicyApplyJob::Outcome::Failed ||
            r.outcome == PolicyApplyJob::Outcome::Unavailable) {
            result.failure = r.message;
        }
        result.readBack = r.readBack;
        if (Finished f = std::exchange(finished_, {})) f(result);
    });
}

std::optional<std::string> LinuxSettingsServices::value() const {
    return readAutostartValue();
}

FileResult LinuxSettingsServices::setValue(const std::optional<std::string>& value) {
    return writeAutostartValue(value);
}

std::string LinuxSettingsServices::programPath() const {
    return QCoreApplication::applicationFilePath().toStdString();
}

bool LinuxSettingsServices::start(const ChangePolicy& policy, Finished finished) {
    if (job_.isRunning()) return false;
    finished_ = std::move(finished);
    return job_.start(policy);
}

}  // namespace vorbix
