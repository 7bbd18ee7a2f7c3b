// Test helper: records how it was started (working directory, the file descriptors it inherited
// beyond 0, 1 and 2, whether it leads a session of its own, and every argument) into a new file
// in $VORBIX_RECORD_DIR, NUL-separated, written under a temporary name and renamed so that a
// reader sees either nothing or the whole record.
#include <dirent.h>
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    const char* dir = std::getenv("VORBIX_RECORD_DIR");
    if (!dir) return 2;
    char cwd[PATH_MAX] = {};
    if (!getcwd(cwd, sizeof cwd)) return 3;
    std::string record = std::string(cwd) + '\0';
    std::string fds;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (const dirent* entry = readdir(dir)) {
            int fd = std::atoi(entry->d_name);
            if (fd > 2 && fd != dirfd(dir)) fds += (fds.empty() ? "" : " ") + std::to_string(fd);
        }
        closedir(dir);
    }
    record += fds + '\0';
    record += std::string(getsid(0) == getpid() ? "leader" : "member") + '\0';
    for (int i = 0; i < argc; ++i) record += std::string(argv[i]) + '\0';
    std::string name = std::string(dir) + "/record-" + std::to_string(getpid());
    FILE* f = std::fopen((name + ".tmp").c_str(), "wb");
    if (!f) return 4;
    std::fwrite(record.data(), 1, record.size(), f);
    std::fclose(f);
    return std::rename((name + ".tmp").c_str(), name.c_str()) == 0 ? 0 : 5;
}
