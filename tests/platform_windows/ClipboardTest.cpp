// Clipboard insertion and the key-combination stroke, arriving in a real text field of another
// client through real XTest key strokes.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>

#include "core/KeyCombStroke.h"
#include "platform/x11/ClipboardInserterX11.h"
#include "platform/x11/WindowControlX11.h"
#include "platform/x11/X11KeyboardOutput.h"
#include "tests/platform_windows/DesktopSupport.h"

using namespace vorbix;
using namespace vorbix::test;

namespace {

QString clipboardText() {
    return QGuiApplication::clipboard()->text();
}

bool clipboardEmpty() {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return !data || data->formats().isEmpty();
}

// Typing into a target window: the focus given to it, key strokes through XTest.
class TypingTest : public ::testing::Test {
protected:
    bool focusTarget(const char* title, QStringList extra = {}) {
        target_ = std::make_unique<FocusedTarget>(view, windows, title, std::move(extra));
        return target_->ready;
    }
    const FocusedTarget& t() const { return *target_; }

    XView view;
    X11WindowControl windows{""};
    std::unique_ptr<FocusedTarget> target_;
    x11::X11KeyboardOutput keys;
    X11ClipboardInserter inserter{keys};
};
using ClipboardInsertion = TypingTest;
using KeyCombStrokeDesktop = TypingTest;

}  // namespace

TEST_F(ClipboardInsertion, PlainTextWithTabAndThePreviousClipboardBack) {
    ASSERT_TRUE(focusTarget("Plain paste target", {"--own-clipboard", "previous content"}));
    ASSERT_TRUE(waitFor([] { return clipboardText() == "previous content"; }));

    inserter.insert({"Hello, plain world", "", ""}, true, true);
    EXPECT_TRUE(inserter.isPending());
    EXPECT_TRUE(waitFor([&] { return t().holds("plain\nHello, plain world\nhtml"); }));
    EXPECT_TRUE(waitFor([&] { return t().holds("focus line\n"); })) << "Tab did not follow";
    EXPECT_TRUE(waitFor([&] { return !inserter.isPending(); }, 3000));
    EXPECT_GE(inserter.requestCount(), 1);
    EXPECT_EQ(clipboardText(), "previous content");
}

TEST_F(ClipboardInsertion, RichTextWithoutTabThenTheClipboardIsCleared) {
    ASSERT_TRUE(focusTarget("Rich paste target"));
    QGuiApplication::clipboard()->setText("something before");

    inserter.insert({"bold text", "<b>bold</b> text", "{\\rtf1 {\\b bold} text}"}, false, false);
    EXPECT_TRUE(waitFor([&] { return t().holds("plain\nbold text\nhtml"); }));
    EXPECT_TRUE(t().holds("font-weight:700")) << readFile(t().report);
    EXPECT_TRUE(t().holds("text/rtf")) << readFile(t().report);
    EXPECT_TRUE(t().holds("Rich Text Format")) << readFile(t().report);
    EXPECT_TRUE(waitFor([&] { return !inserter.isPending(); }, 3000));
    EXPECT_TRUE(t().holds("focus edit\n"));
    EXPECT_TRUE(clipboardEmpty());
}

TEST_F(ClipboardInsertion, NeverOverwritesWhatWasCopiedMeanwhile) {
    // The test copies something right after the insertion, so the target pastes that and never
    // asks for the inserted data: the inserter gives up after about a second and leaves the
    // newer content alone.
    ASSERT_TRUE(focusTarget("Busy target"));
    QGuiApplication::clipboard()->setText("kept before");
    inserter.insert({"inserted", "", ""}, false, true);
    QGuiApplication::clipboard()->setText("copied meanwhile");
    EXPECT_TRUE(waitFor([&] { return !inserter.isPending(); }, 3000));
    EXPECT_EQ(clipboardText(), "copied meanwhile");

    // Two insertions in a row arrive in order, and the clipboard from before the first is what
    // comes back.
    inserter.insert({"first", "", ""}, false, true);
    inserter.insert({"second", "", ""}, false, true);
    EXPECT_TRUE(waitFor([&] { return t().holds("plain\ncopied meanwhilefirstsecond\n"); }))
        << readFile(t().report);
    EXPECT_TRUE(waitFor([&] { return !inserter.isPending(); }, 3000));
    EXPECT_EQ(clipboardText(), "copied meanwhile");
}

TEST_F(ClipboardInsertion, TerminalGetsPlainTextAndBothSelectionsComeBack) {
    if (QStandardPaths::findExecutable("xterm").isEmpty()) GTEST_SKIP() << "xterm missing";
    // An xterm as installed (Shift+Insert pastes the PRIMARY selection), whose shell copies
    // every pasted character into a file at once.
    const QString received = tempPath("terminal received");
    const std::vector<uint32_t> before = view.clients();
    QProcess xterm;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "C.UTF-8");
    xterm.setProcessEnvironment(environment);
    xterm.start("xterm", {"-T", "Terminal target", "-e", "sh", "-c",
                          "stty -icanon -echo; exec cat > '" + received + "'"});
    ASSERT_TRUE(xterm.waitForStarted());
    uint32_t id = 0;
    // xterm names its window in WM_NAME alone: it is the client that is new.
    ASSERT_TRUE(waitFor([&] {
        for (uint32_t client : view.clients())
            if (std::find(before.begin(), before.end(), client) == before.end()) id = client;
        return id != 0;
    }));
    ASSERT_TRUE(waitFor([&] { return QFile::exists(received); }));
    windows.forceForeground(id);
    ASSERT_TRUE(waitFor([&] { return view.activeWindow() == id; }));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText("clipboard before");
    clipboard->setText("selection before", QClipboard::Selection);

    inserter.insert(
        {"Grüße aus Vorbix", "<b>Grüße</b> aus Vorbix", "{\\rtf1 {\\b Gr\\'fc\\'dfe} aus}"}, false,
        true);
    EXPECT_TRUE(waitFor([&] { return readFile(received) == "Grüße aus Vorbix"; }))
        << readFile(received);
    EXPECT_TRUE(waitFor([&] { return !inserter.isPending(); }, 3000));
    EXPECT_EQ(inserter.lastStroke(), PasteStroke::ShiftInsert);
    EXPECT_GE(inserter.requestCount(), 1);
    EXPECT_EQ(clipboard->text(), "clipboard before");
    EXPECT_EQ(clipboard->text(QClipboard::Selection), "selection before");

    // Without keeping, both are emptied.
    inserter.insert({"zwei", "", ""}, false, false);
    EXPECT_TRUE(waitFor([&] { return readFile(received) == "Grüße aus Vorbixzwei"; }))
        << readFile(received);
    EXPECT_TRUE(waitFor([&] { return !inserter.isPending(); }, 3000));
    EXPECT_TRUE(clipboardEmpty());
    EXPECT_TRUE(clipboard->text(QClipboard::Selection).isEmpty());
    xterm.kill();
    xterm.waitForFinished(3000);
}

TEST_F(KeyCombStrokeDesktop, StoredCombinationArrivesInAnotherClient) {
    ASSERT_TRUE(focusTarget("Key target"));
    const BuiltinKeyNames german(BuiltinKeyNames::Group::German);
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    ASSERT_TRUE(simulateKeyComb("Strg+Shift+A", german, keys));
    EXPECT_TRUE(waitFor([&] {
        return t().holds("key " + std::to_string(Qt::Key_A) + " " + std::to_string(ctrlShift));
    })) << readFile(t().report);
    ASSERT_TRUE(simulateKeyComb("Win+E", german, keys));
    EXPECT_TRUE(waitFor([&] {
        return t().holds("key " + std::to_string(Qt::Key_E) + " " +
                         std::to_string(static_cast<int>(Qt::MetaModifier)));
    })) << readFile(t().report);
}
