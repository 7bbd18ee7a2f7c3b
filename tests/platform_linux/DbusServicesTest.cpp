// Session end and media commands against stand-in services on private D-Bus daemons: one
// daemon serves as the system bus (logind), one as the session bus (players, session manager).
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include "platform/linux/ChildProcess.h"
#include "platform/linux/LogindSession.h"
#include "platform/linux/MprisMedia.h"
#include "tests/platform_linux/TestSupport.h"

namespace vorbix {
namespace {

using Lines = std::vector<std::string>;

class RecordingKeys : public KeyboardOutput {
public:
    void keyDown(uint8_t vk) override { strokes.push_back("down " + std::to_string(vk)); }
    void keyUp(uint8_t vk) override { strokes.push_back("up " + std::to_string(vk)); }
    void releaseModifiers() override { strokes.push_back("release"); }
    Lines strokes;
};

class DbusServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (findProgram("dbus-daemon").empty()) GTEST_SKIP() << "dbus-daemon is not installed";
        systemBus_ = startBus("system");
        sessionBus_ = startBus("session");
    }

    std::string startBus(const std::string& name) {
        std::string socket = tmp_ / (name + "-bus");
        daemons_.push_back(std::make_unique<test::TestProcess>(
            Lines{"dbus-daemon", "--session", "--nofork", "--nopidfile",
                  "--address=unix:path=" + socket}));
        for (int i = 0; i < 500 && !test::fs::exists(socket); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_TRUE(test::fs::exists(socket)) << name << " bus did not start";
        return "unix:path=" + socket;
    }

    // Starts the stand-ins and waits until each service has its name on its bus.
    void serve(const Lines& services) {
        Lines argv{DBUS_STANDIN, record_, "--system", systemBus_, "--session", sessionBus_};
        argv.insert(argv.end(), services.begin(), services.end());
        standIn_ = std::make_unique<test::TestProcess>(argv);
        ASSERT_TRUE(standIn_->started());
        for (const auto& service : services) {
            bool onSystem = service == "logind";
            std::string name =
                service == "logind" ? "org.freedesktop.login1"
                : service == "gnome-session"
                    ? "org.gnome.SessionManager"
                    : "org.mpris.MediaPlayer2." + service.substr(6, service.find(':', 6) - 6);
            ASSERT_TRUE(waitForName(onSystem ? systemBus_ : sessionBus_, name)) << name;
        }
    }

    bool waitForName(const std::string& address, const std::string& name) {
        QString connectionName = QStringLiteral("watch-%1").arg(watchers_++);
        bool found = false;
        {
            QDBusConnection bus =
                QDBusConnection::connectToBus(QString::fromStdString(address), connectionName);
            for (int i = 0; i < 1000 && !found && standIn_->running(); ++i) {
                found = bus.interface()->isServiceRegistered(QString::fromStdString(name)).value();
                if (!found) std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        QDBusConnection::disconnectFromBus(connectionName);
        return found;
    }

    Lines recorded() {
        Lines lines;
        std::stringstream in(test::readFile(record_));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        test::fs::remove(record_);
        return lines;
    }

    test::TempDir tmp_;
    std::string record_ = tmp_ / "calls";
    std::string systemBus_, sessionBus_;
    std::vector<std::unique_ptr<test::TestProcess>> daemons_;
    std::unique_ptr<test::TestProcess> standIn_;
    int watchers_ = 0;
};

// Runs the event loop until every command sent to `media` is done (at most ten seconds).
bool allDone(const MprisMedia& media) {
    for (int i = 0; i < 1000 && media.pending() > 0; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return media.pending() == 0;
}

TEST_F(DbusServicesTest, MediaCommandsGoToThePlayingPlayer) {
    serve({"mpris:alpha:Paused", "mpris:beta:Playing", "mpris:gamma:Stopped"});
    RecordingKeys keys;
    MprisMedia media(&keys, sessionBus_);
    media.send(MediaCommand::PlayPause);
    media.send(MediaCommand::Stop);
    media.send(MediaCommand::Next);
    media.send(MediaCommand::Previous);
    ASSERT_TRUE(allDone(media));
    EXPECT_EQ(recorded(), (Lines{"beta PlayPause", "beta Stop", "beta Next", "beta Previous"}));
    EXPECT_TRUE(keys.strokes.empty());
}

TEST_F(DbusServicesTest, APausedPlayerComesBeforeAStoppedOneAndARefusingOneIsPassedOver) {
    serve({"mpris:alpha:Stopped", "mpris:beta:Paused", "mpris:broken:Broken"});
    RecordingKeys keys;
    MprisMedia media(&keys, sessionBus_);
    std::string player;
    media.setDoneHandler([&](MediaCommand, const std::string& p) { player = p; });
    media.send(MediaCommand::Next);
    ASSERT_TRUE(allDone(media));
    EXPECT_EQ(player, "org.mpris.MediaPlayer2.beta");
    EXPECT_EQ(recorded(), (Lines{"broken Next", "beta Next"}));
    EXPECT_TRUE(keys.strokes.empty());
}

// A player that never answers holds nothing: send() returns while the call is outstanding, and
// once the call has timed out the next player takes the command; the commands keep their order.
TEST_F(DbusServicesTest, AHangingPlayerNeverHoldsTheCaller) {
    serve({"mpris:stuck:Hanging", "mpris:beta:Paused"});
    RecordingKeys keys;
    MprisMedia media(&keys, sessionBus_);
    Lines done;
    media.setDoneHandler([&](MediaCommand c, const std::string& p) {
        done.push_back(std::to_string(int(c)) + " " + p);
    });
    media.send(MediaCommand::Next);
    media.send(MediaCommand::Stop);
    EXPECT_EQ(media.pending(), 2u);
    EXPECT_TRUE(done.empty());
    ASSERT_TRUE(allDone(media));
    EXPECT_EQ(done, (Lines{"2 org.mpris.MediaPlayer2.beta", "1 org.mpris.MediaPlayer2.beta"}));
    EXPECT_EQ(recorded(), (Lines{"stuck Next", "beta Next", "stuck Stop", "beta Stop"}));
    EXPECT_TRUE(keys.strokes.empty());
}

TEST_F(DbusServicesTest, WithoutAnAnsweringPlayerTheMediaKeysArePressed) {
    RecordingKeys keys;
    {
        MprisMedia media(&keys, sessionBus_);
        media.send(MediaCommand::PlayPause);
        media.send(MediaCommand::Previous);
        ASSERT_TRUE(allDone(media));
    }
    {
        serve({"mpris:broken:Broken"});
        MprisMedia media(&keys, sessionBus_);
        media.send(MediaCommand::Stop);
        ASSERT_TRUE(allDone(media));
        EXPECT_EQ(recorded(), Lines{"broken Stop"});
    }
    {
        MprisMedia media(&keys, "unix:path=" + (tmp_ / "no-bus"));
        media.send(MediaCommand::Next);
        MprisMedia withoutKeys(nullptr, "unix:path=" + (tmp_ / "no-bus"));
        withoutKeys.send(MediaCommand::Next);
        EXPECT_TRUE(allDone(media));
        EXPECT_TRUE(allDone(withoutKeys));
    }
    EXPECT_EQ(keys.strokes, (Lines{"down 179", "up 179", "down 177", "up 177", "down 178", "up 178",
                                   "down 176", "up 176"}));
}

TEST_F(DbusServicesTest, SessionEndGoesToLogindWithoutAsking) {
    serve({"logind"});
    LogindSession session(systemBus_, sessionBus_);
    EXPECT_TRUE(session.exitSession(SessionAction::ShutDown));
    EXPECT_TRUE(session.exitSession(SessionAction::Restart));
    EXPECT_TRUE(session.exitSession(SessionAction::Suspend));
    EXPECT_EQ(recorded(),
              (Lines{"logind PowerOff false", "logind Reboot false", "logind Suspend false"}));
    {
        test::ScopedEnv id("XDG_SESSION_ID", "7");
        EXPECT_TRUE(session.exitSession(SessionAction::Lock));
        EXPECT_TRUE(session.exitSession(SessionAction::LogOff));
        EXPECT_EQ(recorded(), (Lines{"logind LockSession 7", "logind TerminateSession 7"}));
    }
    test::ScopedEnv noId("XDG_SESSION_ID", nullptr);
    EXPECT_TRUE(session.exitSession(SessionAction::Lock));
    EXPECT_TRUE(session.exitSession(SessionAction::LogOff));
    std::string pid = std::to_string(::getpid());
    EXPECT_EQ(recorded(), (Lines{"logind GetSessionByPID " + pid, "logind-session Lock",
                                 "logind GetSessionByPID " + pid, "logind-session Terminate"}));
    EXPECT_FALSE(session.exitSession(static_cast<SessionAction>(5)));
    EXPECT_TRUE(recorded().empty());
}

TEST_F(DbusServicesTest, LoggingOffAsksTheDesktopsSessionManagerFirst) {
    serve({"logind", "gnome-session"});
    LogindSession session(systemBus_, sessionBus_);
    EXPECT_TRUE(session.exitSession(SessionAction::LogOff));
    EXPECT_EQ(recorded(), Lines{"gnome-session Logout 1"});
}

TEST_F(DbusServicesTest, WithoutLogindOrABusNothingHappensAndTheResultIsFailure) {
    const SessionAction all[] = {SessionAction::LogOff, SessionAction::ShutDown,
                                 SessionAction::Restart, SessionAction::Suspend,
                                 SessionAction::Lock};
    {
        // The buses run, but nobody serves logind.
        LogindSession session(systemBus_, sessionBus_);
        for (auto action : all) EXPECT_FALSE(session.exitSession(action));
    }
    {
        LogindSession session("unix:path=" + (tmp_ / "no-bus"), "unix:path=" + (tmp_ / "none"));
        for (auto action : all) EXPECT_FALSE(session.exitSession(action));
    }
    EXPECT_FALSE(test::fs::exists(record_));
}

}  // namespace
}  // namespace vorbix

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
