// Starting programs without a shell: posix_spawn with an argument list, in a new session, with a
// chosen working directory. Detached children are reaped by one small reaper thread that waits
// only for the process ids it was given, so other code that starts processes (QProcess) is not
// disturbed and no zombies pile up.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vorbix {

struct SpawnResult {
    pid_t pid = -1;
    int error = 0;  // errno of the failed start; 0 on success
    bool ok() const { return pid > 0; }
};

// The executable file `name` names: a name with a "/" is taken as it is, any other is looked up
// in PATH. Empty when there is no such executable regular file.
std::string findProgram(std::string_view name);

// Called with the exit status of a detached child (128 + the signal number when a signal ended
// it), on the thread that reaps it, never on the caller's.
using ChildExitHandler = std::function<void(int exitStatus)>;

// Starts argv[0] (a path) with the arguments argv, in `workingDirectory` (the current one when
// empty), in a session of its own, with stdin on /dev/null, no other file descriptor of this
// process beyond stdout and stderr, default signal dispositions and an empty signal mask. A failed
// exec (missing file, no permission, bad folder) is reported in `error`. The child is reaped in the
// background when it ends, and `onExit`, when given, learns how it ended.
SpawnResult spawnDetached(const std::vector<std::string>& argv, const std::string& workingDirectory,
                          ChildExitHandler onExit = {});

// The activation token of the press that is being carried out (a Wayland desktop gives one with
// a shortcut's activation): the next program started within kActivationTokenLifeMs gets it as
// XDG_ACTIVATION_TOKEN and DESKTOP_STARTUP_ID, so it may take the focus. Used once; empty clears. A
// token this program was started with is never handed on.
inline constexpr int kActivationTokenLifeMs = 10000;
void setActivationTokenForNextStart(std::string token);

// Starts argv[0] like spawnDetached (stdin inherited) and waits for it to end. Returns the exit
// status, 128 + signal number when a signal ended it, or -1 with `error` set when it could not
// start.
int runAndWait(const std::vector<std::string>& argv, const std::string& workingDirectory,
               int* error = nullptr);

// The user's home folder ($HOME, else the password database), without trailing "/".
std::string homeFolder();

}  // namespace vorbix
