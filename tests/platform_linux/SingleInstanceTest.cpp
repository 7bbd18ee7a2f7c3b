// One running program per user: a listener of another user on the instance's name is ignored,
// a socket left behind never lets a second instance run beside the first, and the folder the
// name lives in is one that only this user may enter.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include <future>

#include "platform/linux/SingleInstance.h"

namespace vorbix {
namespace {

constexpr uid_t kNobody = 65534;

// Sets (or with nullptr unsets) an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), old_(qgetenv(name)) {
        had_ = qEnvironmentVariableIsSet(name);
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    QByteArray old_;
    bool had_ = false;
};

// A later start in a thread of its own, so that this thread's event loop can answer it.
bool laterStart(const QString& name, const QStringList& arguments, int waitMs = 3000) {
    std::future<bool> first = std::async(std::launch::async, [=] {
        SingleInstance later(name);
        return later.listenOrForward(arguments, waitMs);
    });
    while (first.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        QCoreApplication::processEvents();
    return first.get();
}

// A socket file nobody listens on, as a crashed program leaves it.
bool leaveSocketFile(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.toLocal8Bit().constData(), sizeof(address.sun_path) - 1);
    const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return bound;
}

// A process of user nobody listening on `path` (bound by root in root's folder, then listening
// as nobody, as a listener of another user would). It reports through `report` how many bytes a
// connection sent it.
class ForeignListener {
public:
    explicit ForeignListener(const QString& path) {
        int ready[2];
        if (::pipe(ready) != 0 || ::pipe(report_) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            std::strncpy(address.sun_path, path.toLocal8Bit().constData(),
                         sizeof(address.sun_path) - 1);
            if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
                ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0 || ::listen(fd, 8) != 0)
                ::_exit(1);
            (void)!::write(ready[1], "r", 1);
            const int client = ::accept(fd, nullptr, nullptr);
            char buffer[256];
            ssize_t total = 0, n = 0;
            while (client >= 0 && (n = ::read(client, buffer, sizeof buffer)) > 0) total += n;
            const std::string count = std::to_string(total);
            (void)!::write(report_[1], count.data(), count.size());
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(report_[1]);
        char byte = 0;
        listening_ = ::read(ready[0], &byte, 1) == 1;
        ::close(ready[0]);
    }
    ~ForeignListener() {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
        ::close(report_[0]);
    }
    bool listening() const { return listening_; }
    // How many bytes a connection sent, once it closed: "" when nobody connected within a second.
    std::string received() {
        pollfd ready{report_[0], POLLIN, 0};
        if (::poll(&ready, 1, 1000) != 1) return {};
        std::string text;
        char buffer[32];
        ssize_t n;
        while ((n = ::read(report_[0], buffer, sizeof buffer)) > 0) text.append(buffer, n);
        return text;
    }

private:
    pid_t pid_ = -1;
    int report_[2] = {-1, -1};
    bool listening_ = false;
};

class SingleInstanceTest : public ::testing::Test {
protected:
    SingleInstanceTest() : runtime_("XDG_RUNTIME_DIR", dir_.path().toLocal8Bit()) {
        static int argc = 1;
        static char name[] = "single_instance_tests";
        static char* argv[] = {name, nullptr};
        // One application for the test program, never destroyed (Qt's globals go first).
        if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    }
    QString socket() const { return dir_.path() + "/vorbix-test.socket"; }

    QTemporaryDir dir_;  // 0700, this user's
    ScopedEnv runtime_;
};

TEST_F(SingleInstanceTest, AListenerOfAnotherUserIsIgnoredAndTheProgramStarts) {
    ForeignListener foreign(socket());
    ASSERT_TRUE(foreign.listening());
    SingleInstance first(socket());
    EXPECT_TRUE(first.listenOrForward({"hide", "secret-argument"}));
    EXPECT_TRUE(first.isListening());
    EXPECT_EQ(foreign.received(), "0") << "the arguments went to the other user's listener";

    // The started program serves later starts as ever.
    QSignalSpy created(&first, &SingleInstance::instanceCreated);
    EXPECT_FALSE(laterStart(socket(), {"show"}));
    ASSERT_TRUE(created.count() == 1 || created.wait(2000));
    EXPECT_EQ(created.at(0).at(0).toStringList(), QStringList{"show"});
}

TEST_F(SingleInstanceTest, ALeftSocketNeverLetsASecondInstanceRun) {
    // A socket file left by a crash: the next start replaces it.
    ASSERT_TRUE(leaveSocketFile(socket()));
    auto first = std::make_unique<SingleInstance>(socket());
    EXPECT_TRUE(first->listenOrForward({}));
    EXPECT_TRUE(first->isListening());

    // The running instance's socket went missing: a later start does not run beside it.
    ASSERT_EQ(::unlink(socket().toLocal8Bit().constData()), 0);
    EXPECT_FALSE(laterStart(socket(), {}, 300));
    // ... nor with a stale socket file in its place.
    ASSERT_TRUE(leaveSocketFile(socket()));
    EXPECT_FALSE(laterStart(socket(), {}, 300));

    // Once it has ended, the next start is the first again.
    first.reset();
    SingleInstance next(socket());
    EXPECT_TRUE(next.listenOrForward({}));
    EXPECT_TRUE(next.isListening());
}

TEST_F(SingleInstanceTest, TheNameLivesWhereOnlyThisUserMayEnter) {
    QTemporaryDir temp;
    ::chmod(temp.path().toLocal8Bit().constData(), 01777);  // a shared temporary folder
    ScopedEnv tmpdir("TMPDIR", temp.path().toLocal8Bit());
    const QString own = temp.path() + "/vorbix-" + QString::number(::getuid());

    // The runtime folder when it is private.
    EXPECT_EQ(SingleInstance::privateFolder(), dir_.path());
    EXPECT_TRUE(SingleInstance::defaultName("/data/").startsWith(dir_.path() + "/vorbix-"));
    EXPECT_NE(SingleInstance::defaultName("/data/"), SingleInstance::defaultName("/other/"));

    // A runtime folder others may enter, one of another user, or a relative one is not used:
    // a private folder of its own in the temporary folder is.
    QTemporaryDir shared, foreign;
    ::chmod(shared.path().toLocal8Bit().constData(), 0755);
    ASSERT_EQ(::chown(foreign.path().toLocal8Bit().constData(), kNobody, kNobody), 0);
    for (const QString& runtime : {shared.path(), foreign.path(), QString("relative")}) {
        ScopedEnv unusable("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
        EXPECT_EQ(SingleInstance::privateFolder(), own) << runtime.toStdString();
        struct stat st {};
        ASSERT_EQ(::lstat(own.toLocal8Bit().constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u);
    }

    // That folder made first by another user, or a link in its place: no single-instance
    // service at all, and the program still starts.
    ScopedEnv none("XDG_RUNTIME_DIR", QByteArray());
    ASSERT_TRUE(QDir(own).removeRecursively());
    ASSERT_EQ(::mkdir(own.toLocal8Bit().constData(), 0700), 0);
    ASSERT_EQ(::chown(own.toLocal8Bit().constData(), kNobody, kNobody), 0);
    EXPECT_EQ(SingleInstance::privateFolder(), QString());
    EXPECT_EQ(SingleInstance::defaultName("/data/"), QString());
    SingleInstance alone(SingleInstance::defaultName("/data/"));
    EXPECT_TRUE(alone.listenOrForward({}));
    EXPECT_FALSE(alone.isListening());
    ASSERT_EQ(::rmdir(own.toLocal8Bit().constData()), 0);
    ASSERT_EQ(::symlink(dir_.path().toLocal8Bit().constData(), own.toLocal8Bit().constData()), 0);
    EXPECT_EQ(SingleInstance::privateFolder(), QString());
}

}  // namespace
}  // namespace vorbix
