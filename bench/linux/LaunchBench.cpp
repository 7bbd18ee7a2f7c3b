// Program start as a hot key does it. posix_spawn returns once the child has executed the new
// program (or failed to), so the time of startProgram() is the time to the child's exec; the
// second benchmark waits until the child has run to its end. For comparison, the same program
// started through /bin/sh, as the common hot key daemons do.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/linux/ChildProcess.h"
#include "platform/linux/DesktopLauncher.h"

namespace {

void waitForEnd(pid_t pid) {
    int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (fd < 0) return;  // already ended and reaped
    pollfd p{fd, POLLIN, 0};
    ::poll(&p, 1, 5000);
    ::close(fd);
}

void BM_StartProgramToExec(benchmark::State& state) {
    vorbix::DesktopLauncher launcher;
    for (auto _ : state) {
        auto result = launcher.startProgram("/bin/true", "-a \"b c\"", vorbix::WindowMode::Normal);
        if (!result.ok) state.SkipWithError(result.error.c_str());
        state.PauseTiming();
        waitForEnd(launcher.lastStarted());
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartProgramToExec)->Unit(benchmark::kMicrosecond);

void BM_StartProgramToExit(benchmark::State& state) {
    vorbix::DesktopLauncher launcher;
    for (auto _ : state) {
        auto result = launcher.startProgram("/bin/true", "", vorbix::WindowMode::Normal);
        if (!result.ok) state.SkipWithError(result.error.c_str());
        waitForEnd(launcher.lastStarted());
    }
}
BENCHMARK(BM_StartProgramToExit)->Unit(benchmark::kMicrosecond);

void BM_ThroughShellToExit(benchmark::State& state) {
    for (auto _ : state) vorbix::runAndWait({"/bin/sh", "-c", "/bin/true -a 'b c'"}, "/");
}
BENCHMARK(BM_ThroughShellToExit)->Unit(benchmark::kMicrosecond);

}  // namespace
