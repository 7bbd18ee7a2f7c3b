// The update check against a local HTTP server: the manual check's answers for newer, equal,
// older, empty and garbled versions, a missing file, a server that never finishes and one that
// sends too much; the automatic check downloads nothing before its interval has passed and
// writes nothing but the date key.
#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include "VorbixVersion.h"
#include "core/Endpoints.h"
#include "platform/fake/FakeDesktop.h"
#include "shell/update/UpdateCheck.h"
#include "storage/AtomicFile.h"
#include "storage/ConfigFile.h"
#include "tests/shell/ShellTestSupport.h"

namespace vorbix {
namespace {

// A server on the loopback interface that answers every request the way `answer` says.
class LocalServer {
public:
    using Answer = std::function<void(QTcpSocket*)>;
    LocalServer() {
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost));
        QObject::connect(&server_, &QTcpServer::newConnection, [this] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                ++connections;
                auto request = std::make_shared<QByteArray>();
                QObject::connect(s, &QTcpSocket::readyRead, s, [this, s, request] {
                    *request += s->readAll();
                    if (request->contains("\r\n\r\n")) {
                        paths.push_back(request->split(' ').value(1).toStdString());
                        answer(s);
                    }
                });
            }
        });
    }
    std::string address() const {
        return "http://127.0.0.1:" + std::to_string(server_.serverPort()) +
               "/files/pellmarr/files/vorbix/version.txt";
    }
    static Answer reply(int status, QByteArray body) {
        return [status, body](QTcpSocket* s) {
            s->write("HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Length: " +
                     QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            s->disconnectFromHost();
        };
    }
    Answer answer = reply(200, "10.4.0.0\r\n");
    int connections = 0;
    std::vector<std::string> paths;

private:
    QTcpServer server_;
};

class UpdateCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::offscreenApp();
        ASSERT_TRUE(dir.isValid());
        config = dir.path().toStdString() + "/Config.ini";
        // After the application object: the server needs its event loop.
        server = std::make_unique<LocalServer>();
    }
    // A check whose texts are their language keys, on `server`, with short limits.
    std::unique_ptr<UpdateCheck> makeCheck(int intervalDays = 1) {
        UpdateCheck::Options o;
        o.limits = {300, 1500, 16 * 1024};
        o.address = [this](int random) {
            randoms.push_back(random);
            return server->address() + "?" + std::to_string(random);
        };
        o.today = [] { return QDate(2024, 5, 10); };
        o.locale = QLocale(QLocale::German, QLocale::Germany);
        return std::make_unique<UpdateCheck>(
            UpdateCheck::Setup{
                config, platform.prompter, [](std::string_view key) { return std::string(key); },
                [] { return std::string("English"); },
                [this](const std::string& url) { opened.push_back(url); },
                [intervalDays] { return intervalDays; }, [this] { return mayChangeConfig; }},
            o);
    }
    // Runs the check and waits until it has ended.
    void waitFor(UpdateCheck& check, const std::function<void()>& start) {
        QSignalSpy ended(&check, &UpdateCheck::checkEnded);
        start();
        if (ended.isEmpty()) {
            ASSERT_TRUE(ended.wait(5000));
        }
    }
    std::string configText() const { return readWholeFile(config).value_or("<missing>"); }

    QTemporaryDir dir;
    std::string config;
    std::unique_ptr<LocalServer> server;
    fake::FakePlatform platform;
    std::vector<std::string> opened;
    std::vector<int> randoms;
    bool mayChangeConfig = true;
};

TEST_F(UpdateCheckTest, ManualCheckSaysWhatTheServerAnswered) {
    const QByteArray own = QByteArray(kVersionText.data(), qsizetype(kVersionText.size()));
    auto hang = [](QTcpSocket* s) {
        s->write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n10.");
    };
    auto flood = [](QTcpSocket* s) {
        s->write("HTTP/1.1 200 OK\r\nConnection: close\r\n\r\n");
        s->write(QByteArray(64 * 1024, '1'));
    };
    struct Case {
        const char* name;
        LocalServer::Answer answer;
        std::string said;
    } cases[] = {
        {"newer", LocalServer::reply(200, "10.99.0.0\r\nnotes\r\n"),
         "ask: MessageUpdateAvailable 10.99.0.0)"},
        {"newer by numbers", LocalServer::reply(200, "10.10.0.0"),
         "ask: MessageUpdateAvailable 10.10.0.0)"},
        {"same", LocalServer::reply(200, own + "\r\n"), "info: MessageNoUpdate"},
        {"older", LocalServer::reply(200, "9.0.0.0"), "info: MessageNoUpdate"},
        {"empty", LocalServer::reply(200, ""), "error: MessageInternetError"},
        {"garbage", LocalServer::reply(200, "<html>moved</html>"), "error: MessageInternetError"},
        {"missing", LocalServer::reply(404, "10.99.0.0"), "error: MessageInternetError"},
        {"never ends", hang, "error: MessageInternetError"},
        {"too large", flood, "error: MessageInternetError"},
    };
    for (Case& c : cases) {
        server->answer = c.answer;
        std::unique_ptr<UpdateCheck> check = makeCheck();
        opened.clear();
        waitFor(*check, [&] { check->MenuSearchForUpdatesExecute(); });
        EXPECT_EQ(platform.take(), std::vector<std::string>{c.said}) << c.name;
        EXPECT_FALSE(check->busy()) << c.name;
    }
    EXPECT_EQ(server->connections, 9);
    EXPECT_TRUE(
        std::all_of(randoms.begin(), randoms.end(), [](int r) { return r >= 0 && r < 100; }));
    EXPECT_EQ(server->paths.front().rfind("/files/pellmarr/files/vorbix/version.txt?", 0), 0u);
    EXPECT_EQ(configText(), "<missing>") << "the manual check writes no date";
}

TEST_F(UpdateCheckTest, TheOfferOpensTheProductPageOnlyOnYes) {
    server->answer = LocalServer::reply(200, "11.0.0.0");
    std::unique_ptr<UpdateCheck> check = makeCheck();
    platform.prompter.answer = false;
    waitFor(*check, [&] { check->MenuSearchForUpdatesExecute(); });
    EXPECT_TRUE(opened.empty());
    platform.prompter.answer = true;
    waitFor(*check, [&] { check->MenuSearchForUpdatesExecute(); });
    EXPECT_EQ(opened, std::vector<std::string>{productPageUrl("English")});
}

TEST_F(UpdateCheckTest, ManualCheckNeedsTheRightToChangeTheConfiguration) {
    mayChangeConfig = false;
    std::unique_ptr<UpdateCheck> check = makeCheck();
    check->MenuSearchForUpdatesExecute();
    EXPECT_EQ(platform.take(), std::vector<std::string>{"error: MessageAdminError"});
    EXPECT_FALSE(check->busy());
    EXPECT_EQ(server->connections, 0);
}

TEST_F(UpdateCheckTest, AutomaticTicksDownloadOnlyOnceTheIntervalHasPassed) {
    struct Case {
        const char* stored;  // LastUpdateSearch, nullptr: absent
        int interval;
        int downloads;
        bool stillRunning;
        const char* afterwards;
    } cases[] = {
        // Never checked, or a date that cannot be read: today is recorded, nothing downloaded.
        {nullptr, 1, 0, false, "10.05.2024"},
        {"0", 1, 0, false, "10.05.2024"},
        {"gestern", 1, 0, false, "10.05.2024"},
        {"11.05.2024", 7, 0, false, "10.05.2024"},
        // The interval has not passed: nothing is downloaded, nothing written, the timer runs.
        {"10.05.2024", 1, 0, true, "10.05.2024"},
        {"04.05.2024", 7, 0, true, "04.05.2024"},
        {"27.04.2024", 14, 0, true, "27.04.2024"},
        // The interval has passed: one download, today recorded, the timer stops.
        {"09.05.2024", 1, 1, false, "10.05.2024"},
        {"03.05.2024", 7, 1, false, "10.05.2024"},
        {"5/3/2024", 7, 1, false, "10.05.2024"},
    };
    for (const Case& c : cases) {
        std::string ini = "[Settings]\r\nAutoUpdate=1\r\n";
        if (c.stored) ini += std::string("LastUpdateSearch=") + c.stored + "\r\n";
        ASSERT_TRUE(writeFileAtomically(config, ini));
        const int before = server->connections;
        std::unique_ptr<UpdateCheck> check = makeCheck(c.interval);
        check->setAutomatic(true);
        waitFor(*check, [&] { check->TimerAutoUpdateTimer(); });
        EXPECT_EQ(server->connections - before, c.downloads) << (c.stored ? c.stored : "absent");
        EXPECT_EQ(check->automaticRunning(), c.stillRunning) << (c.stored ? c.stored : "absent");
        const auto file = ConfigFile::open(config);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->read(config::kLastUpdateSearch), c.afterwards);
        EXPECT_TRUE(platform.take().empty()) << "our own version is offered nothing";
    }
}

TEST_F(UpdateCheckTest, AutomaticCheckWritesOnlyTheDateAndStaysSilentOnFailure) {
    ASSERT_TRUE(writeFileAtomically(config, "[Settings]\r\nLastUpdateSearch=01.05.2024\r\n"));
    // While the answer is on its way, the user changes another key.
    server->answer = [this](QTcpSocket* s) {
        writeFileAtomically(config, "[Settings]\r\nLastUpdateSearch=01.05.2024\r\nWelcome=0\r\n");
        LocalServer::reply(200, "10.99.0.0")(s);
    };
    std::unique_ptr<UpdateCheck> check = makeCheck(7);
    check->setAutomatic(true);
    waitFor(*check, [&] { check->TimerAutoUpdateTimer(); });
    EXPECT_EQ(configText(), "[Settings]\r\nLastUpdateSearch=10.05.2024\r\nWelcome=0\r\n\r\n");
    EXPECT_EQ(platform.take(), std::vector<std::string>{"ask: MessageUpdateAvailable 10.99.0.0)"});

    // A failed download says nothing, records nothing and stops until the next start.
    ASSERT_TRUE(writeFileAtomically(config, "[Settings]\r\nLastUpdateSearch=01.05.2024\r\n"));
    for (const LocalServer::Answer& a :
         {LocalServer::reply(404, ""), LocalServer::reply(200, "x")}) {
        server->answer = a;
        check->setAutomatic(true);
        waitFor(*check, [&] { check->TimerAutoUpdateTimer(); });
        EXPECT_TRUE(platform.take().empty());
        EXPECT_EQ(configText(), "[Settings]\r\nLastUpdateSearch=01.05.2024\r\n");
        EXPECT_FALSE(check->automaticRunning());
    }
    // A stopped check does nothing on a tick that was already due.
    const int before = server->connections;
    check->setAutomatic(false);
    check->TimerAutoUpdateTimer();
    EXPECT_EQ(server->connections, before);
}

}  // namespace
}  // namespace vorbix
