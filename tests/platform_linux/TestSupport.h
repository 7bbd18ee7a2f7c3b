// Helpers shared by the tests of the Linux services: temporary folders, environment changes
// that are undone, and waiting for the records of the RecordArgs helper.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace vorbix::test {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "vorbix-linux-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

// Sets (or with nullptr unsets) an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ScopedEnv(const char* name, const std::string& value) : ScopedEnv(name, value.c_str()) {}
    ~ScopedEnv() {
        if (old_)
            ::setenv(name_.c_str(), old_->c_str(), 1);
        else
            ::unsetenv(name_.c_str());
    }

private:
    std::string name_;
    std::optional<std::string> old_;
};

inline std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// One start of the RecordArgs helper.
struct Record {
    std::string cwd;
    std::string inheritedFds;  // beyond 0, 1 and 2, separated by blanks
    bool sessionLeader = false;
    std::vector<std::string> argv;
};

inline std::vector<Record> readRecords(const fs::path& dir) {
    std::vector<Record> records;
    for (const auto& entry : fs::directory_iterator(dir)) {
        std::string name = entry.path().filename().string();
        if (name.rfind("record-", 0) != 0 || name.find(".tmp") != std::string::npos) continue;
        std::string data = readFile(entry.path());
        Record r;
        size_t start = 0;
        for (int field = 0; start < data.size(); ++field) {
            size_t end = data.find('\0', start);
            if (end == std::string::npos) end = data.size();
            std::string part = data.substr(start, end - start);
            if (field == 0)
                r.cwd = part;
            else if (field == 1)
                r.inheritedFds = part;
            else if (field == 2)
                r.sessionLeader = part == "leader";
            else
                r.argv.push_back(part);
            start = end + 1;
        }
        records.push_back(r);
    }
    return records;
}

// Waits until `count` records are there (at most a few seconds) and returns them.
inline std::vector<Record> waitForRecords(const fs::path& dir, size_t count = 1) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    std::vector<Record> records;
    while (std::chrono::steady_clock::now() < deadline) {
        records = readRecords(dir);
        if (records.size() >= count) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return records;
}

// A process a test starts and stops again by its process id.
class TestProcess {
public:
    explicit TestProcess(const std::vector<std::string>& argv) {
        std::vector<char*> args;
        for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        // Its output goes nowhere, so that it never holds the test's output open.
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (::posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~TestProcess() { stop(); }
    TestProcess(const TestProcess&) = delete;
    TestProcess& operator=(const TestProcess&) = delete;

    bool started() const { return pid_ > 0; }
    // Whether it is still running (reaps it when it has ended).
    bool running() {
        if (pid_ <= 0) return false;
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_) pid_ = -1;
        return pid_ > 0;
    }
    void stop() { kill(SIGTERM); }
    // Sends the signal and waits for the end.
    void kill(int signal) {
        if (pid_ <= 0) return;
        ::kill(pid_, signal);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

}  // namespace vorbix::test
