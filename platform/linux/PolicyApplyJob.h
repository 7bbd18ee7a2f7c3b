// Applies the administrator's change policy from the settings dialog without holding up the
// interface: pkexec runs the small program vorbix-policy with the two values on its command line
// (so the authorisation dialog shows them), or, when this program already runs as root, the step
// runs in this process. finished() reports the outcome together with the values the policy file
// holds afterwards, read as every user reads them.
#pragma once

#include <QObject>
#include <QProcess>
#include <string>

#include "platform/linux/PolicyHelper.h"

namespace vorbix {

class PolicyApplyJob : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Written,        // the file holds the values asked for
        NotAuthorised,  // the authorisation was refused or dismissed
        Unavailable,    // no pkexec or no vorbix-policy to run
        Failed,         // the step ran and failed; `message` says why
    };
    struct Result {
        Outcome outcome = Outcome::Failed;
        std::string message;    // the step's own report, for diagnostics
        ChangePolicy readBack;  // the values in the file afterwards (only "1" allows)
    };

    // `helper`: the full path of vorbix-policy; `elevated`: this process runs as root.
    PolicyApplyJob(std::string helper, bool elevated,
                   std::string policyPath = std::string(kPolicyFilePath),
                   QObject* parent = nullptr);
    ~PolicyApplyJob() override;

    // The helper beside the program in `programFolder` (which ends in "/").
    static std::string helperIn(const std::string& programFolder);

    // Starts applying `policy` and returns at once; false (and nothing started) while a run is
    // still going.
    bool start(const ChangePolicy& policy);
    bool isRunning() const { return running_; }
    const Result& result() const { return result_; }

signals:
    void finished();

private:
    void finish(Outcome outcome, std::string message);
    void processEnded(int exitCode, QProcess::ExitStatus status);

    std::string helper_;
    bool elevated_;
    std::string policyPath_;
    ChangePolicy asked_;
    bool running_ = false;
    Result result_;
    QProcess* process_ = nullptr;
};

}  // namespace vorbix
