// The two settings of the dialog that live outside the configuration file, as the dialog needs
// them from the platform: the autostart entry of the user's session, and the elevated step that
// writes the machine-wide change policy. The program wires the Linux adapter in; tests give
// stand-ins.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "storage/AtomicFile.h"
#include "storage/Policy.h"

namespace vorbix {

class AutostartEntry {
public:
    virtual ~AutostartEntry() = default;
    // The value the entry stands for (as the Windows version keeps it in the Run value "VBX"):
    // the program's path, or the quoted path followed by " hide"; nullopt without an entry.
    virtual std::optional<std::string> value() const = 0;
    // Writes the entry for such a value; nullopt removes it.
    virtual FileResult setValue(const std::optional<std::string>& value) = 0;
    // The full path of the program the entry starts.
    virtual std::string programPath() const = 0;
};

class PolicyStep {
public:
    struct Result {
        // False when the administrator's authorisation was refused or dismissed.
        bool authorised = true;
        // Why the step failed (the platform's words, for the user), empty when it ran.
        std::string failure;
        // The values the policy file holds afterwards; a value counts as allowed only when it is
        // exactly "1".
        ChangePolicy readBack;
    };
    using Finished = std::function<void(const Result&)>;

    virtual ~PolicyStep() = default;
    // Starts writing `policy` with the administrator's rights and returns at once; `finished`
    // runs later on the user-interface thread. False (and nothing started) while a step runs.
    virtual bool start(const ChangePolicy& policy, Finished finished) = 0;
    virtual bool running() const = 0;
};

}  // namespace vorbix
