// vorbix-policy: the elevated step of the settings dialog, run through pkexec. It writes the
// machine-wide change policy and nothing else; see platform/linux/PolicyHelper.h.
#include <string>
#include <vector>

#include "platform/linux/PolicyHelper.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return vorbix::runApplyPolicyCommand(args);
}
