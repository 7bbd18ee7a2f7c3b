// The settings dialog's platform services on Linux: the XDG autostart entry and the elevated step
// (pkexec) that writes the change policy, behind the interfaces of SettingsServices.h. The step
// runs as a child process, so the program goes on working while the password prompt is open.
#pragma once

#include <QObject>
#include <QProcess>
#include <string>

#include "shell/SettingsServices.h"

namespace vorbix {

class LinuxSettingsServices : public QObject, public AutostartEntry, public PolicyStep {
    Q_OBJECT
public:
    // `dataFolder` (ending in "/") receives the policy script "Temp.reg".
    explicit LinuxSettingsServices(std::string dataFolder, QObject* parent = nullptr);
    ~LinuxSettingsServices() override;

    std::optional<std::string> value() const override;
    FileResult setValue(const std::optional<std::string>& value) override;
    std::string programPath() const override;

    bool start(const ChangePolicy& policy, Finished finished) override;
    bool running() const override { return running_; }

private:
    void finish(bool authorised, std::string failure);

    std::string dataFolder_;
    QProcess* process_ = nullptr;
    Finished finished_;
    bool running_ = false;
};

}  // namespace vorbix
