// Clipboard insertion among clients that misbehave: an owner that never delivers, a requester
// that never stops asking, a clipboard manager that reads the new content at once while the real
// target pastes late. None of them may hold up the program or put the wrong text into the target.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>

#include "platform/x11/ClipboardInserterX11.h"
#include "platform/x11/X11KeyboardOutput.h"
#include "tests/platform_windows/DesktopSupport.h"

using namespace vorbix;
using namespace vorbix::test;

namespace {

// One running clipboard_peer, stopped by its process id when the object goes away.
class Peer {
public:
    Peer(const char* name, QStringList args, const QString& title = {}) : report_(tempPath(name)) {
        QFile::remove(report_);
        QStringList all{"--report", report_};
        if (!title.isEmpty()) all << "--title" << title;
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QStringLiteral(VORBIX_CLIPBOARD_PEER), all + args);
        ready_ = process_.waitForStarted() && waitFor([&] { return holds("ready\n"); });
    }
    ~Peer() {
        process_.kill();
        process_.waitForFinished(3000);
    }
    bool ready() const { return ready_; }
    bool holds(const std::string& part) const {
        return readFile(report_).find(part) != std::string::npos;
    }
    std::string report() const { return readFile(report_); }

private:
    QString report_;
    QProcess process_;
    bool ready_ = false;
};

// The longest stretch in which the event loop did not run, while it is measured.
class LoopGaps {
public:
    LoopGaps() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, clock_.restart()); });
        clock_.start();
        timer_.start();
    }
    qint64 longest() const { return longest_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

bool clipboardEmpty() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return !data || data->formats().isEmpty();
}

class ClipboardSafety : public ::testing::Test {
protected:
    // Gives the focus to the peer's window.
    bool focusPeer(const QString& title) {
        uint32_t window = 0;
        if (!waitFor([&] { return (window = view.clientTitled(title.toStdString())) != 0; }))
            return false;
        windows.forceForeground(window);
        return waitFor([&] { return view.activeWindow() == window; });
    }

    XView view;
    X11WindowControl windows{""};
    x11::X11KeyboardOutput keys;
    X11ClipboardInserter inserter{keys};
};

}  // namespace

TEST_F(ClipboardSafety, AnOwnerThatNeverDeliversHoldsNothingUp) {
    const struct {
        const char* name;
        QStringList mode;
    } owners[] = {{"stalling-owner", {"own-stalling", "10"}}, {"silent-owner", {"own-silent"}}};
    for (const auto& owner : owners) {
        SCOPED_TRACE(owner.name);
        FocusedTarget target(view, windows, "Stalled paste target");
        ASSERT_TRUE(target.ready);
        Peer peer(owner.name, owner.mode);
        ASSERT_TRUE(peer.ready());

        LoopGaps gaps;
        QElapsedTimer call;
        call.start();
        inserter.insert({"first", "", ""}, false, true);
        // The next hot key comes at once, and is not held up either.
        inserter.insert({"second", "", ""}, false, true);
        EXPECT_LT(call.elapsed(), 100);
        EXPECT_TRUE(waitFor([&] { return target.holds("plain\nfirst\n"); }, 1000))
            << readFile(target.report);
        EXPECT_TRUE(waitFor([&] { return target.holds("plain\nfirstsecond\n"); }, 3000))
            << readFile(target.report);
        EXPECT_TRUE(waitFor([&] { return !inserter.isPending(); }, 3000));
        EXPECT_LT(gaps.longest(), 250);
        // What could not be read in time is not kept: the clipboard ends empty.
        EXPECT_TRUE(clipboardEmpty());
    }
}

TEST_F(ClipboardSafety, ATargetThatNeverStopsAskingCannotHoldTheInsertion) {
    Target previousOwner(view, "Previous owner", {"--own-clipboard", "previous content"});
    ASSERT_NE(previousOwner.waitForWindow(), 0u);
    ASSERT_TRUE(waitFor([] { return QGuiApplication::clipboard()->text() == "previous content"; }));
    Peer asking("asking-target", {"ask-every", "50"}, "Asking target");
    ASSERT_TRUE(asking.ready());
    ASSERT_TRUE(focusPeer("Asking target"));

    QElapsedTimer insertion;
    insertion.start();
    inserter.insert({"inserted", "", ""}, false, true);
    EXPECT_TRUE(waitFor([&] { return !inserter.isPending(); }, 5000));
    EXPECT_LT(insertion.elapsed(),
              X11ClipboardInserter::kReadBoundMs + X11ClipboardInserter::kLimitMs + 500);
    EXPECT_GE(inserter.requestCount(), 5);
    EXPECT_TRUE(asking.holds("got inserted\n")) << asking.report();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "previous content");
}

TEST_F(ClipboardSafety, AClipboardManagerReadingAtOnceIsNotTheTarget) {
    Target previousOwner(view, "Previous owner", {"--own-clipboard", "previous content"});
    ASSERT_NE(previousOwner.waitForWindow(), 0u);
    ASSERT_TRUE(waitFor([] { return QGuiApplication::clipboard()->text() == "previous content"; }));
    // A clipboard manager copies every new content at once; another one first asks for the hint
    // that tells it to keep no copy, as Klipper and CopyQ do.
    Peer manager("manager", {"ask-on-change"});
    ASSERT_TRUE(manager.ready());
    Peer hintReader("hint-reader", {"--format", "x-kde-passwordManagerHint", "ask-on-change"});
    ASSERT_TRUE(hintReader.ready());
    Peer slow("slow-target", {"ask-after-key", "400"}, "Slow target");
    ASSERT_TRUE(slow.ready());
    ASSERT_TRUE(focusPeer("Slow target"));

    inserter.insert({"inserted", "", ""}, false, true);
    EXPECT_TRUE(waitFor([&] { return manager.holds("got inserted\n"); }, 1000)) << manager.report();
    EXPECT_TRUE(waitFor([&] { return hintReader.holds("got secret\n"); }, 1000))
        << hintReader.report();
    EXPECT_TRUE(waitFor([&] { return slow.holds("got "); }, 2000)) << slow.report();
    EXPECT_EQ(slow.report(), "ready\ngot inserted\n");
    EXPECT_TRUE(waitFor([&] { return !inserter.isPending(); }, 3000));
    EXPECT_GE(inserter.otherRequestCount(), 2);
    EXPECT_GE(inserter.requestCount(), 1);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "previous content");
}
