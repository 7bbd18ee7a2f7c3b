// Test helper: the program's policy command-line mode, writing to the file named by
// $VORBIX_TEST_POLICY_FILE instead of the machine's policy file.
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/linux/PolicyHelper.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const char* target = std::getenv("VORBIX_TEST_POLICY_FILE");
    if (!target || !vorbix::isApplyPolicyCommand(args)) return 3;
    return vorbix::runApplyPolicyCommand(args, target);
}
