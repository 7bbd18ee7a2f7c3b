#include "shell/LinuxSettingsServices.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTimer>

#include "platform/linux/Autostart.h"
#include "platform/linux/PolicyHelper.h"
#include "platform/linux/UserRights.h"

namespace vorbix {

namespace {

// pkexec's exit statuses when the authorisation was refused or dismissed.
constexpr int kNotAuthorised = 126;
constexpr int kNotAuthorisedOrMissing = 127;

}  // namespace

LinuxSettingsServices::LinuxSettingsServices(std::string dataFolder, QObject* parent)
    : QObject(parent), dataFolder_(std::move(dataFolder)) {}

LinuxSettingsServices::~LinuxSettingsServices() {
    // A prompt still open when the program ends is left to pkexec; nothing waits for it.
    if (process_) process_->disconnect(this);
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
    if (running_) return false;
    running_ = true;
    finished_ = std::move(finished);
    const std::string script = dataFolder_ + "Temp.reg";
    if (FileResult written = writeFileAtomically(script, policyScript(policy)); !written) {
        QTimer::singleShot(0, this, [this, e = written.error] { finish(true, e); });
        return true;
    }
    if (isElevated()) {
        PolicyApplyResult r = applyPolicyScriptFile(script, std::string(kPolicyFilePath));
        QTimer::singleShot(0, this, [this, r] { finish(true, r.ok ? std::string() : r.message); });
        return true;
    }
    const QString pkexec = QStandardPaths::findExecutable(QStringLiteral("pkexec"));
    if (pkexec.isEmpty()) {
        QTimer::singleShot(0, this, [this] {
            finish(true, "pkexec is not installed, so the policy cannot be written as root");
        });
        return true;
    }
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    connect(process_, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
        const QString said = QString::fromLocal8Bit(process_->readAll()).trimmed();
        process_->deleteLater();
        process_ = nullptr;
        if (status == QProcess::NormalExit && code == 0) return finish(true, {});
        if (status == QProcess::NormalExit &&
            (code == kNotAuthorised || code == kNotAuthorisedOrMissing)) {
            return finish(false, {});
        }
        finish(true, said.isEmpty() ? "Writing the policy failed" : said.toStdString());
    });
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart || !process_) return;
        const std::string why = "Cannot start pkexec: " + process_->errorString().toStdString();
        process_->deleteLater();
        process_ = nullptr;
        finish(true, why);
    });
    process_->start(pkexec, {QString::fromStdString(programPath()),
                             QString::fromLatin1(kApplyPolicyOption.data(),
                                                 qsizetype(kApplyPolicyOption.size())),
                             QString::fromStdString(script)});
    return true;
}

void LinuxSettingsServices::finish(bool authorised, std::string failure) {
    running_ = false;
    Result result{authorised, std::move(failure),
                  readChangePolicy(std::string(kPolicyFilePath), PolicyReading::OnlyOneAllows)};
    if (Finished f = std::exchange(finished_, {})) f(result);
}

}  // namespace vorbix
