#include "platform/linux/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <string_view>
#include <thread>
#include <utility>

extern char** environ;

namespace vorbix {

namespace {

bool isExecutableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// The exit status as a shell reports it: the code, or 128 + the signal that ended the process.
int exitCodeOf(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

// Waits for the detached children. Each child is watched through a pidfd; one thread polls all
// of them and reaps exactly the ones that ended. Where pidfds are not available, a child gets a
// small thread of its own that waits for it.
class ChildReaper {
public:
    static ChildReaper& instance() {
        // Never destroyed: the thread runs for the life of the process.
        static ChildReaper* reaper = new ChildReaper;
        return *reaper;
    }

    void watch(pid_t pid, ChildExitHandler onExit) {
        int pidfd = wakeFd_ >= 0 ? static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)) : -1;
        if (pidfd < 0) {
            std::thread([pid, onExit = std::move(onExit)] {
                int status = 0;
                pid_t r;
                while ((r = ::waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
                }
                if (r == pid && onExit) onExit(exitCodeOf(status));
            }).detach();
            return;
        }
        ::fcntl(pidfd, F_SETFD, FD_CLOEXEC);
        {
            std::lock_guard lock(mutex_);
            pending_.push_back({pid, pidfd, std::move(onExit)});
        }
        uint64_t one = 1;
        [[maybe_unused]] ssize_t n = ::write(wakeFd_, &one, sizeof one);
    }

private:
    ChildReaper() {
        wakeFd_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (wakeFd_ >= 0) std::thread([this] { run(); }).detach();
    }

    struct Child {
        pid_t pid = -1;
        int pidfd = -1;
        ChildExitHandler onExit;
    };

    void run() {
        std::vector<Child> watched;
        std::vector<pollfd> fds;
        for (;;) {
            fds.clear();
            fds.push_back({wakeFd_, POLLIN, 0});
            for (const auto& child : watched) fds.push_back({child.pidfd, POLLIN, 0});
            if (::poll(fds.data(), fds.size(), -1) < 0) continue;
            if (fds[0].revents & POLLIN) {
                uint64_t count;
                [[maybe_unused]] ssize_t n = ::read(wakeFd_, &count, sizeof count);
            }
            std::vector<Child> still;
            for (size_t i = 0; i < watched.size(); ++i) {
                if (fds[i + 1].revents != 0) {
                    int status = 0;
                    pid_t r = ::waitpid(watched[i].pid, &status, WNOHANG);
                    if (r == watched[i].pid || (r < 0 && errno == ECHILD)) {
                        ::close(watched[i].pidfd);
                        if (r == watched[i].pid && watched[i].onExit)
                            watched[i].onExit(exitCodeOf(status));
                        continue;
                    }
                }
                still.push_back(std::move(watched[i]));
            }
            watched = std::move(still);
            std::lock_guard lock(mutex_);
            for (auto& child : pending_) watched.push_back(std::move(child));
            pending_.clear();
        }
    }

    int wakeFd_ = -1;
    std::mutex mutex_;
    std::vector<Child> pending_;
};

struct ActivationToken {
    std::mutex mutex;
    std::string token;
    std::chrono::steady_clock::time_point given;
};
ActivationToken& activationToken() {
    static ActivationToken slot;
    return slot;
}

// The token for this start, taken out of the slot; empty when none is given or it is too old.
std::string takeActivationToken() {
    ActivationToken& slot = activationToken();
    std::lock_guard lock(slot.mutex);
    std::string token = std::exchange(slot.token, std::string());
    if (std::chrono::steady_clock::now() - slot.given >
        std::chrono::milliseconds(kActivationTokenLifeMs))
        return {};
    return token;
}

// This process's environment without the token of its own start (it was used up then), with
// `token` where given.
std::vector<std::string> childEnvironment(const std::string& token) {
    std::vector<std::string> env;
    for (char** e = environ; e && *e; ++e) {
        const std::string_view entry(*e);
        if (entry.starts_with("XDG_ACTIVATION_TOKEN=") || entry.starts_with("DESKTOP_STARTUP_ID="))
            continue;
        env.emplace_back(entry);
    }
    if (!token.empty()) {
        env.push_back("XDG_ACTIVATION_TOKEN=" + token);
        env.push_back("DESKTOP_STARTUP_ID=" + token);
    }
    return env;
}

SpawnResult spawn(const std::vector<std::string>& argv, const std::string& workingDirectory,
                  bool stdinFromNull) {
    SpawnResult result;
    if (argv.empty() || argv[0].empty()) {
        result.error = ENOENT;
        return result;
    }
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attr;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attr);
    if (!workingDirectory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
    if (stdinFromNull) posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    // Nothing of this process beyond stdin, stdout and stderr reaches the child.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    sigdelset(&all, SIGKILL);
    sigdelset(&all, SIGSTOP);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr,
                             POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    std::vector<std::string> environment = childEnvironment(takeActivationToken());
    std::vector<char*> envp;
    envp.reserve(environment.size() + 1);
    for (auto& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    int rc = ::posix_spawn(&pid, args[0], &actions, &attr, args.data(), envp.data());
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        result.error = rc;
        return result;
    }
    result.pid = pid;
    return result;
}

}  // namespace

void setActivationTokenForNextStart(std::string token) {
    ActivationToken& slot = activationToken();
    std::lock_guard lock(slot.mutex);
    slot.token = std::move(token);
    slot.given = std::chrono::steady_clock::now();
}

std::string findProgram(std::string_view name) {
    if (name.empty()) return {};
    std::string n(name);
    if (n.find('/') != std::string::npos) return isExecutableFile(n) ? n : std::string();
    const char* env = std::getenv("PATH");
    std::string path = env ? env : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find(':', start);
        if (end == std::string::npos) end = path.size();
        std::string dir = path.substr(start, end - start);
        if (!dir.empty()) {
            std::string candidate = dir + (dir.back() == '/' ? "" : "/") + n;
            if (isExecutableFile(candidate)) return candidate;
        }
        start = end + 1;
    }
    return {};
}

SpawnResult spawnDetached(const std::vector<std::string>& argv, const std::string& workingDirectory,
                          ChildExitHandler onExit) {
    SpawnResult result = spawn(argv, workingDirectory, true);
    if (result.ok()) ChildReaper::instance().watch(result.pid, std::move(onExit));
    return result;
}

int runAndWait(const std::vector<std::string>& argv, const std::string& workingDirectory,
               int* error) {
    SpawnResult result = spawn(argv, workingDirectory, false);
    if (!result.ok()) {
        if (error) *error = result.error;
        return -1;
    }
    int status = 0;
    while (::waitpid(result.pid, &status, 0) < 0) {
        if (errno != EINTR) {
            if (error) *error = errno;
            return -1;
        }
    }
    return exitCodeOf(status);
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    std::string result;
    if (home && *home) {
        result = home;
    } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
        result = pw->pw_dir;
    }
    while (result.size() > 1 && result.back() == '/') result.pop_back();
    return result.empty() ? std::string("/") : result;
}

}  // namespace vorbix
