#include "platform/linux/PolicyApplyJob.h"

#include <unistd.h>

#include <QStandardPaths>
#include <QTimer>

namespace vorbix {

namespace {

// What the step printed, at most this much: its message is one line.
constexpr qint64 kMaxReport = 4096;

}  // namespace

PolicyApplyJob::PolicyApplyJob(std::string helper, bool elevated, std::string policyPath,
                               QObject* parent)
    : QObject(parent),
      helper_(std::move(helper)),
      elevated_(elevated),
      policyPath_(std::move(policyPath)) {}

PolicyApplyJob::~PolicyApplyJob() {
    if (process_) {
        // The authorisation dialog belongs to the user; the step itself cannot be recalled, so
        // the process is only left to end on its own.
        process_->disconnect(this);
        process_->setParent(nullptr);
        connect(process_, &QProcess::finished, process_, &QObject::deleteLater);
    }
}

std::string PolicyApplyJob::helperIn(const std::string& programFolder) {
    return programFolder + "vorbix-policy";
}

bool PolicyApplyJob::start(const ChangePolicy& policy) {
    if (running_) return false;
    running_ = true;
    asked_ = policy;
    result_ = {};
    if (elevated_) {
        // Already root: the step runs here; the outcome still arrives through the event loop.
        const PolicyApplyResult applied = applyChangePolicy(policy, policyPath_);
        QTimer::singleShot(0, this, [this, applied] {
            finish(applied.ok ? Outcome::Written : Outcome::Failed, applied.message);
        });
        return true;
    }
    const QString pkexec = QStandardPaths::findExecutable(QStringLiteral("pkexec"));
    if (pkexec.isEmpty() || ::access(helper_.c_str(), X_OK) != 0) {
        const std::string missing = pkexec.isEmpty() ? "pkexec" : helper_;
        QTimer::singleShot(0, this, [this, missing] {
            finish(Outcome::Unavailable, missing + " is not available");
        });
        return true;
    }
    QStringList arguments{QString::fromStdString(helper_)};
    for (const std::string& a : applyPolicyArguments(policy))
        arguments << QString::fromStdString(a);
    process_ = new QProcess(this);
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->setStandardInputFile(QProcess::nullDevice());
    connect(process_, &QProcess::finished, this, &PolicyApplyJob::processEnded);
    connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) processEnded(-1, QProcess::CrashExit);
    });
    process_->start(pkexec, arguments);
    return true;
}

void PolicyApplyJob::processEnded(int exitCode, QProcess::ExitStatus status) {
    if (!process_) return;
    const std::string report =
        QString::fromLocal8Bit(process_->read(kMaxReport)).trimmed().toStdString();
    process_->deleteLater();
    process_ = nullptr;
    if (status != QProcess::NormalExit)
        return finish(Outcome::Failed, "the step did not end normally");
    switch (exitCode) {
        case 0:
            return finish(Outcome::Written, report);
        case 126:  // pkexec: the dialog was dismissed
        case 127:  // pkexec: not authorised, or the authorisation could not be obtained
            return finish(Outcome::NotAuthorised, report);
        default:
            return finish(Outcome::Failed, report);
    }
}

void PolicyApplyJob::finish(Outcome outcome, std::string message) {
    result_.message = std::move(message);
    // The file decides, as every user reads it: a step that says "written" but left other values
    // (or an unreadable file) is a failure.
    std::string error;
    result_.readBack = readChangePolicy(policyPath_, PolicyReading::OnlyOneAllows, &error);
    if (outcome == Outcome::Written && (!error.empty() || result_.readBack != asked_)) {
        outcome = Outcome::Failed;
        if (!error.empty()) result_.message = error;
    }
    result_.outcome = outcome;
    running_ = false;
    emit finished();
}

}  // namespace vorbix
