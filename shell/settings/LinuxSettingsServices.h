// The settings dialog's platform services on Linux: the XDG autostart entry and the elevated step
// that writes the change policy (PolicyApplyJob: pkexec runs vorbix-policy), behind the interfaces
// of SettingsServices.h. The step runs as a child process, so the program goes on working while
// the password prompt is open.
#pragma once

#include <QObject>
#include <string>

#include "platform/linux/PolicyApplyJob.h"
#include "shell/settings/SettingsServices.h"

namespace vorbix {

class LinuxSettingsServices : public QObject, public AutostartEntry, public PolicyStep {
    Q_OBJECT
public:
    // `programFolder` (ending in "/") holds vorbix-policy.
    explicit LinuxSettingsServices(const std::string& programFolder, QObject* parent = nullptr);

    std::optional<std::string> value() const override;
    FileResult setValue(const std::optional<std::string>& value) override;
    std::string programPath() const override;

    bool start(const ChangePolicy& policy, Finished finished) override;
    bool running() const override { return job_.isRunning(); }

private:
    PolicyApplyJob job_;
    Finished finished_;
};

}  // namespace vorbix
