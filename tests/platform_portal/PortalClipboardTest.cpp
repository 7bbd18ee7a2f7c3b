// Inserting text through the clipboard of the RemoteDesktop portal's session, as on desktops
// whose compositor has no data control (GNOME): against a stand-in portal on a private bus, what
// the session asks for, what goes on the clipboard, what a pasting window reads, and what comes
// back afterwards.
#include <gtest/gtest.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <algorithm>

#include "platform/portal/PortalClipboard.h"
#include "platform/portal/PortalKeyboardOutput.h"
#include "platform/portal/RemoteDesktopSession.h"
#include "platform/portal/WaylandClipboardInserter.h"
#include "tests/platform_portal/PortalTestSupport.h"

namespace vorbix::portal {
namespace {

using namespace test_support;

class PortalClipboardTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!inPath("dbus-daemon")) GTEST_SKIP() << "dbus-daemon is missing";
        ensureApplication();
        // No compositor: data control is out of reach, as on GNOME.
        qunsetenv("WAYLAND_DISPLAY");
        busDaemon_ = std::make_unique<PrivateBus>(tmp_.path().string());
        ASSERT_FALSE(busDaemon_->address().empty()) << "the bus did not start";
    }
    void TearDown() override {
        inserter_.reset();
        keys_.reset();
        clipboard_.reset();
        standIn_.reset();
        if (bus_) QDBusConnection::disconnectFromBus(bus_->name());
    }

    // Starts the stand-in and the program's side: session, clipboard, keys, inserter.
    void start(const Lines& options = {}) {
        Lines argv{REMOTE_DESKTOP_STANDIN, record_, busDaemon_->address()};
        argv.insert(argv.end(), options.begin(), options.end());
        standIn_ = std::make_unique<test::TestProcess>(argv);
        ASSERT_TRUE(standIn_->started());
        bus_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(
            QString::fromStdString(busDaemon_->address()), QStringLiteral("clipboard-test")));
        ASSERT_TRUE(waitFor([&] {
            return bus_->interface()
                ->isServiceRegistered(QStringLiteral("org.freedesktop.portal.Desktop"))
                .value();
        }));
        clipboard_ = std::make_unique<PortalClipboard>(*bus_);
        auto session = std::make_unique<RemoteDesktopSession>(*bus_, tmp_.path().string());
        session->setClipboard(clipboard_.get());
        keys_ = std::make_unique<PortalKeyboardOutput>(std::move(session));
        inserter_ = std::make_unique<WaylandClipboardInserter>(*keys_, clipboard_.get());
        QObject::connect(inserter_.get(), &WaylandClipboardInserter::finished,
                         [this] { ++finished_; });
        ASSERT_TRUE(waitFor([&] { return contains("Start"); }));
        settle();
    }
    // What another window does, through the stand-in's control interface.
    void window(const char* method, const QList<QVariant>& args) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/control"),
            QStringLiteral("org.vorbix.PortalControl"), QString::fromLatin1(method));
        call.setArguments(args);
        ASSERT_EQ(bus_->call(call).type(), QDBusMessage::ReplyMessage);
    }
    bool contains(const std::string& line) {
        const std::string text = test::fs::exists(record_) ? test::readFile(record_) : "";
        recordText_ = text;
        return text.find(line + "\n") != std::string::npos;
    }
    // Lets the answers and signals under way arrive.
    void settle() {
        for (int i = 0; i < 20; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    bool waitForLine(const std::string& line) {
        return waitFor([&] { return contains(line); });
    }

    test::TempDir tmp_;
    std::string record_ = tmp_ / "calls";
    std::string recordText_;
    std::unique_ptr<PrivateBus> busDaemon_;
    std::unique_ptr<test::TestProcess> standIn_;
    std::unique_ptr<QDBusConnection> bus_;
    std::unique_ptr<PortalClipboard> clipboard_;
    std::unique_ptr<PortalKeyboardOutput> keys_;
    std::unique_ptr<WaylandClipboardInserter> inserter_;
    int finished_ = 0;
};

TEST_F(PortalClipboardTest, TheTextGoesThroughThePortalsClipboardAndTheContentBeforeComesBack) {
    start();
    ASSERT_TRUE(clipboard_->available());
    ASSERT_TRUE(inserter_->available());
    const Lines opening = takeRecord(record_);
    EXPECT_EQ(opening, (Lines{"CreateSession", "SelectDevices 1", "RequestClipboard", "Start"}));

    window("Copy", {QStringLiteral("text/plain;charset=utf-8"), QStringLiteral("before")});
    settle();  // the owner change arrives
    inserter_->insert({"Grüße", "", ""}, false, true);
    ASSERT_TRUE(waitForLine("key -ffe3"));
    EXPECT_NE(recordText_.find("SelectionRead text/plain;charset=utf-8\n"
                               "SetSelection text/plain;charset=utf-8,text/plain,UTF8_STRING,"
                               "x-kde-passwordManagerHint\n"
                               "key +ffe3\nkey +76\nkey -76\nkey -ffe3\n"),
              std::string::npos)
        << recordText_;

    // The window pastes: it reads the text, once in a format we hold, and is told "no" for one
    // we do not.
    window("Paste", {QStringLiteral("text/html")});
    EXPECT_TRUE(waitForLine("WriteDone 1 false")) << recordText_;
    window("Paste", {QStringLiteral("text/plain;charset=utf-8")});
    EXPECT_TRUE(waitForLine("written 2 Grüße")) << recordText_;
    EXPECT_TRUE(waitForLine("WriteDone 2 true")) << recordText_;

    // Once the window has taken it, the content before comes back, and is what pastes next.
    ASSERT_TRUE(waitFor([&] { return finished_ == 1; }));
    EXPECT_TRUE(waitForLine("SetSelection text/plain;charset=utf-8")) << recordText_;
    window("Paste", {QStringLiteral("text/plain;charset=utf-8")});
    EXPECT_TRUE(waitForLine("written 3 before")) << recordText_;
}

// Where the portal has no clipboard, or the user keeps it from the program, the text is typed.
TEST_F(PortalClipboardTest, WithoutThePortalsClipboardTheTextIsTyped) {
    for (const char* option : {"--no-clipboard-interface", "--clipboard-refused"}) {
        SCOPED_TRACE(option);
        start({option});
        EXPECT_FALSE(clipboard_->available());
        EXPECT_FALSE(inserter_->available());
        inserter_->insert({"ab", "", ""}, false, true);
        EXPECT_TRUE(waitForLine("key -62")) << recordText_;
        EXPECT_EQ(recordText_.find("SetSelection"), std::string::npos) << recordText_;
        TearDown();
        test::fs::remove(record_);
    }
}

}  // namespace
}  // namespace vorbix::portal
