#include "platform/portal/PipeTransfer.h"

#include <poll.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <set>

namespace vorbix::portal {

int64_t nowMs() {
    static const QElapsedTimer clock = [] {
        QElapsedTimer started;
        started.start();
        return started;
    }();
    return clock.elapsed();
}

// X11 selection targets that a bridged selection lists beside its data types; they carry no data.
bool carriesData(const std::string& mime) {
    static const std::set<std::string> kMeta = {"TARGETS",      "MULTIPLE", "TIMESTAMP",
                                                "SAVE_TARGETS", "DELETE",   "INCR"};
    return !mime.empty() && kMeta.count(mime) == 0;
}

namespace {

bool writeAllOnce(int fd, const std::string& bytes, int boundMs) {
    const int64_t deadline = nowMs() + boundMs;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += size_t(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno == EAGAIN) {
            const int64_t left = deadline - nowMs();
            if (left <= 0) return false;
            pollfd p{fd, POLLOUT, 0};
            ::poll(&p, 1, int(left));
            continue;
        }
        return false;  // the reader went away (EPIPE)
    }
    return true;
}

}  // namespace

bool writeAll(int fd, const std::string& bytes, int boundMs) {
    sigset_t pipe, before;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe, &before);
    const bool written = writeAllOnce(fd, bytes, boundMs);
    const timespec none{0, 0};
    while (sigtimedwait(&pipe, nullptr, &none) == SIGPIPE) {
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return written;
}

std::string readAll(int fd, int64_t deadlineMs, size_t maxBytes) {
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, size_t(n));
            if (bytes.size() > maxBytes) return {};
            continue;
        }
        if (n == 0) return bytes;
        if (errno == EINTR) continue;
        if (errno != EAGAIN) return {};
        const int64_t left = deadlineMs - nowMs();
        if (left <= 0) return {};  // cut short: better nothing than a part
        pollfd p{fd, POLLIN, 0};
        ::poll(&p, 1, int(left));
    }
}

}  // namespace vorbix::portal
