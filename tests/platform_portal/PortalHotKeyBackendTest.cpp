// The GlobalShortcuts back end against a stand-in portal (and kglobalaccel) on a private session
// bus: what it asks the desktop to bind, how often, and how the desktop's answers and signals
// become registration answers and row activations.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>

#include <map>
#include <memory>

#include "core/Registration.h"
#include "platform/portal/PortalHotKeyBackend.h"
#include "tests/platform_portal/PortalTestSupport.h"

namespace vorbix {
void PrintTo(const HotKeyResult& result, std::ostream* out) {
    *out << describeHotKeyResult(result);
}
}  // namespace vorbix

namespace vorbix::portal {

namespace {

using namespace test_support;
constexpr uint8_t kAllLocks = kLocksOff | kCapsLockOn | kNumLockOn | kCapsAndNumLockOn;

class PortalHotKeys : public ::testing::Test {
protected:
    void SetUp() override {
        if (!inPath("dbus-daemon")) GTEST_SKIP() << "dbus-daemon is missing";
        ensureApplication();
        busDaemon_ = std::make_unique<PrivateBus>(tmp_.path().string());
        ASSERT_FALSE(busDaemon_->address().empty()) << "the bus did not start";
        address_ = busDaemon_->address();
    }
    void TearDown() override {
        backend_.reset();
        standIn_.reset();
        QDBusConnection::disconnectFromBus(connectionName_);
    }

    // Starts the stand-in with `options` and the back end on a connection of its own.
    void start(const Lines& options = {}) {
        Lines argv{PORTAL_STANDIN, record_, address_};
        argv.insert(argv.end(), options.begin(), options.end());
        standIn_ = std::make_unique<test::TestProcess>(argv);
        ASSERT_TRUE(standIn_->started());
        connectionName_ = QStringLiteral("portal-test-%1").arg(++connections_);
        bus_ = std::make_unique<QDBusConnection>(
            QDBusConnection::connectToBus(QString::fromStdString(address_), connectionName_));
        ASSERT_TRUE(waitFor([&] {
            return bus_->interface()
                ->isServiceRegistered(QStringLiteral("org.freedesktop.portal.Desktop"))
                .value();
        }));
        const PortalHotKeyBackend::Options quick{QStringLiteral("vorbix"), 50, 20};
        backend_ = std::make_unique<PortalHotKeyBackend>(*bus_, quick);
        backend_->setReportHandler(
            [this](int32_t id, const HotKeyResult& result) { answers_[id] = result; });
        backend_->setHandler([this](int32_t id) { fired_.push_back(id); });
        backend_->setDescriber([](int32_t id) { return "row " + std::to_string(id); });
        QObject::connect(backend_.get(), &PortalHotKeyBackend::bindFinished, [this] { ++binds_; });
        QObject::connect(backend_.get(), &PortalHotKeyBackend::released, [this] { ++released_; });
    }

    bool bound(int count = 1) {
        return waitFor([&] { return binds_ >= count; });
    }

    // Tells the stand-in what the desktop's user does, and lets the signal arrive.
    void desktop(const char* method, const QList<QVariant>& args) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.portal.Desktop"), QStringLiteral("/control"),
            QStringLiteral("org.vorbix.PortalControl"), QString::fromLatin1(method));
        call.setArguments(args);
        const QDBusMessage reply = bus_->call(call);
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        for (int i = 0; i < 20; ++i) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    Lines recorded() { return takeRecord(record_); }

    test::TempDir tmp_;
    std::string record_ = tmp_ / "calls";
    std::string address_;
    std::unique_ptr<PrivateBus> busDaemon_;
    std::unique_ptr<test::TestProcess> standIn_;
    QString connectionName_;
    int connections_ = 0;
    std::unique_ptr<QDBusConnection> bus_;
    std::unique_ptr<PortalHotKeyBackend> backend_;
    std::map<int32_t, HotKeyResult> answers_;
    std::vector<int32_t> fired_;
    int binds_ = 0;
    int released_ = 0;
};

const TWinHotKey kCtrlAltH{'H', MOD_CONTROL | MOD_ALT};
const TWinHotKey kLogoShiftZ{'Z', MOD_WIN | MOD_SHIFT};
const TWinHotKey kCtrlShiftReturn{0x0D, MOD_CONTROL | MOD_SHIFT};
const TWinHotKey kLogoF5{0x74, MOD_WIN};

TEST_F(PortalHotKeys, ABurstOfChangesCostsOneRequestWithTheWholeSet) {
    start();
    EXPECT_EQ(backend_->registerHotKey(30000, kCtrlAltH), HotKeyResult::later());
    EXPECT_EQ(backend_->registerHotKey(30001, kLogoShiftZ), HotKeyResult::later());
    EXPECT_EQ(backend_->registerHotKey(30002, {0x74, MOD_CONTROL}), HotKeyResult::later());
    EXPECT_EQ(backend_->registerHotKey(10000, kCtrlShiftReturn), HotKeyResult::later());
    backend_->unregisterHotKey(30002);
    // Refused at once: nothing the desktop could bind, or a trigger already asked for.
    EXPECT_EQ(backend_->registerHotKey(30003, {0, MOD_CONTROL}).refusal, HotKeyRefusal::NoKey);
    EXPECT_EQ(backend_->registerHotKey(30004, kLogoShiftZ).refusal, HotKeyRefusal::Duplicate);
    ASSERT_TRUE(bound());
    // The list goes into CreateSession (Plasma 5.27 binds that one) and to BindShortcuts, under
    // the fixed session token, each with a description and the trigger in the portal's notation.
    const std::string list =
        "show-hide=CTRL+SHIFT+Return|row 10000,CTRL+ALT+h=CTRL+ALT+h|row 30000,"
        "LOGO+SHIFT+z=LOGO+SHIFT+z|row 30001";
    EXPECT_EQ(recorded(), (Lines{"CreateSession vorbix " + list, "BindShortcuts " + list,
                                 "getComponent vorbix"}));
    EXPECT_EQ(answers_, (std::map<int32_t, HotKeyResult>{{10000, HotKeyResult::accepted()},
                                                         {30000, HotKeyResult::accepted()},
                                                         {30001, HotKeyResult::accepted()}}));
    // A later change binds the whole set in a new session under the same token.
    backend_->registerHotKey(20000, kLogoF5);
    ASSERT_TRUE(bound(2));
    const Lines again = recorded();
    ASSERT_EQ(again.size(), 4u);
    EXPECT_EQ(again[0], "Close");
    EXPECT_EQ(again[1],
              "CreateSession vorbix show-hide=CTRL+SHIFT+Return|row 10000,activation=LOGO+F5|"
              "row 20000,CTRL+ALT+h=CTRL+ALT+h|row 30000,LOGO+SHIFT+z=LOGO+SHIFT+z|row 30001");
}

// What the desktop answers, per kind of desktop.
TEST_F(PortalHotKeys, RowsTheDesktopDidNotReallyBindAreRefused) {
    struct Case {
        const char* name;
        Lines options;
        HotKeyResult ctrlAltH, logoF5;
    };
    const HotKeyResult taken = HotKeyResult::refused(HotKeyRefusal::HeldByOther, kAllLocks);
    const std::vector<Case> cases = {
        // Plasma: the portal's answer names LOGO+F5, but kwin keeps it; kglobalaccel tells.
        {"compositor keeps a trigger",
         {"--held-by-compositor", "LOGO+F5"},
         HotKeyResult::accepted(),
         taken},
        // GNOME and others: no kglobalaccel, the portal's answer is all there is.
        {"no kglobalaccel",
         {"--no-kglobalaccel"},
         HotKeyResult::accepted(),
         HotKeyResult::accepted()},
        // The user cancels the desktop's dialog: nothing is bound.
        {"cancelled",
         {"--cancel"},
         HotKeyResult::refused(HotKeyRefusal::NoService),
         HotKeyResult::refused(HotKeyRefusal::NoService)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        binds_ = 0;
        answers_.clear();
        start(c.options);
        backend_->registerHotKey(30000, kCtrlAltH);
        backend_->registerHotKey(30001, kLogoF5);
        ASSERT_TRUE(bound());
        EXPECT_EQ(answers_[30000], c.ctrlAltH);
        EXPECT_EQ(answers_[30001], c.logoF5);
    }
}

TEST_F(PortalHotKeys, ActivatedRunsTheRowAndDeactivatedEndsTheHold) {
    start();
    backend_->registerHotKey(30000, kCtrlAltH);
    backend_->registerHotKey(30001, kLogoShiftZ);
    backend_->registerHotKey(20000, kLogoF5);
    ASSERT_TRUE(bound());
    struct Step {
        const char* method;
        const char* shortcut;
        std::vector<int32_t> fired;
        bool held;
        int released;
    };
    const Step steps[] = {
        {"Press", "LOGO+SHIFT+z", {30001}, true, 0},
        {"Press", "activation", {30001, 20000}, true, 0},
        {"Release", "LOGO+SHIFT+z", {30001, 20000}, true, 0},
        {"Release", "activation", {30001, 20000}, false, 1},
        // A shortcut of the component that no row asks for any more runs nothing.
        {"Press", "CTRL+F9", {30001, 20000}, false, 1},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.method) + " " + s.shortcut);
        desktop(s.method, {QString::fromLatin1(s.shortcut)});
        EXPECT_EQ(fired_, s.fired);
        EXPECT_EQ(backend_->anyHeld(), s.held);
        EXPECT_EQ(released_, s.released);
    }
    // The activation token comes before the row runs: the one the desktop sent, or none.
    std::vector<std::string> tokens;
    backend_->setActivationTokenSink(
        [&](const std::string& t) { tokens.push_back(t + "@" + std::to_string(fired_.size())); });
    desktop("PressWithToken", {QStringLiteral("LOGO+SHIFT+z"), QStringLiteral("xyz")});
    desktop("Press", {QStringLiteral("LOGO+SHIFT+z")});
    desktop("Release", {QStringLiteral("LOGO+SHIFT+z")});
    EXPECT_EQ(tokens, (std::vector<std::string>{"xyz@2", "@3"}));
    fired_.resize(2);
    // While the program's own strokes are under way, an activation runs nothing.
    bool typing = true;
    backend_->setIgnoreActivation([&] { return typing; });
    desktop("Press", {QStringLiteral("CTRL+ALT+h")});
    EXPECT_EQ(fired_, (std::vector<int32_t>{30001, 20000}));
    typing = false;
    desktop("Release", {QStringLiteral("CTRL+ALT+h")});
    desktop("Press", {QStringLiteral("CTRL+ALT+h")});
    EXPECT_EQ(fired_, (std::vector<int32_t>{30001, 20000, 30000}));
}

TEST_F(PortalHotKeys, ChangesInTheDesktopsSettingsReachTheRows) {
    start();
    backend_->registerHotKey(30000, kCtrlAltH);
    backend_->registerHotKey(30001, kLogoShiftZ);
    ASSERT_TRUE(bound());
    desktop("Change", {QStringLiteral("CTRL+ALT+h"), QStringLiteral("Meta+Ctrl+J")});
    EXPECT_EQ(answers_[30000], HotKeyResult::boundTo("Meta+Ctrl+J"));
    EXPECT_EQ(answers_[30001], HotKeyResult::accepted());
    desktop("Change", {QStringLiteral("CTRL+ALT+h"), QStringLiteral("Shown CTRL+ALT+h")});
    EXPECT_EQ(answers_[30000], HotKeyResult::accepted());
    desktop("Change", {QStringLiteral("LOGO+SHIFT+z"), QString()});
    EXPECT_EQ(answers_[30001].refusal, HotKeyRefusal::HeldByOther);
}

TEST_F(PortalHotKeys, TheDesktopsOwnShortcutSettingsOpenWhereThePortalHasThem) {
    for (const char* version : {"1", "2"}) {
        SCOPED_TRACE(version);
        TearDown();
        binds_ = 0;
        start({"--version", version});
        backend_->registerHotKey(30000, kCtrlAltH);
        ASSERT_TRUE(bound());
        recorded();
        EXPECT_EQ(backend_->canConfigure(), std::string(version) == "2");
        backend_->configure();
        const bool offered = std::string(version) == "2";
        if (offered) waitFor([&] { return test::fs::exists(record_); });
        EXPECT_EQ(recorded(), offered ? Lines{"ConfigureShortcuts own"} : Lines{});
    }
}

}  // namespace
}  // namespace vorbix::portal
