// The window control against real client windows under a real window manager, checked through
// the window manager's own view (_NET_CLIENT_LIST, _NET_WM_STATE, map state).
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QWidget>

#include "platform/x11/WindowControlX11.h"
#include "tests/platform_windows/DesktopSupport.h"

using namespace vorbix;
using namespace vorbix::test;

namespace {

// A window of the test process itself, which the control must leave alone; ready once the
// window manager shows it.
struct OwnWindow {
    OwnWindow(XView& view, const QString& title) {
        widget.setWindowTitle(title);
        widget.resize(200, 100);
        widget.show();
        const bool shown = waitFor([&] {
            id = view.clientTitled(title.toStdString());
            return id != 0 && view.isViewable(id);
        });
        if (!shown) id = 0;
    }
    QWidget widget;
    uint32_t id = 0;
};

std::vector<uint32_t> docks(XView& view) {
    std::vector<uint32_t> out;
    for (uint32_t w : view.clients()) {
        auto types = view.property32(w, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM);
        if (std::find(types.begin(), types.end(), view.atom("_NET_WM_WINDOW_TYPE_DOCK")) !=
            types.end()) {
            out.push_back(w);
        }
    }
    return out;
}

bool isHidden(XView& view, uint32_t w) {
    return !view.isClient(w) && !view.isMapped(w);
}
bool isShown(XView& view, uint32_t w) {
    return view.isClient(w) && view.isMapped(w);
}

}  // namespace

TEST(WindowControl, MinimisesAllClosesWhatLiesBelowAndBringsToFront) {
    XView view;
    X11WindowControl control("");
    ASSERT_TRUE(control.isConnected());
    Target a(view, "Alpha target"), b(view, "Beta target"), c(view, "Gamma target");
    ASSERT_NE(a.waitForWindow(), 0u);
    ASSERT_NE(b.waitForWindow(), 0u);
    ASSERT_NE(c.waitForWindow(), 0u);
    OwnWindow own(view, "Own window");
    ASSERT_NE(own.id, 0u);
    const std::vector<uint32_t> trays = docks(view);

    control.minimizeAll();
    for (uint32_t w : {a.window(), b.window(), c.window(), own.id}) {
        EXPECT_TRUE(waitFor([&] { return view.hasState(w, "_NET_WM_STATE_HIDDEN"); }))
            << "window " << w << " was not minimised";
    }
    for (uint32_t w : trays) EXPECT_FALSE(view.hasState(w, "_NET_WM_STATE_HIDDEN"));

    // Bringing each to the front in turn stacks them a, b, c from the bottom.
    for (uint32_t w : {a.window(), b.window(), c.window()}) {
        control.forceForeground(w);
        EXPECT_TRUE(waitFor([&] {
            return view.activeWindow() == w && !view.hasState(w, "_NET_WM_STATE_HIDDEN");
        })) << "window "
            << w << " did not come to the front";
    }
    const auto stacking = view.stacking();
    auto position = [&](uint32_t w) { return std::find(stacking.begin(), stacking.end(), w); };
    ASSERT_LT(position(a.window()), position(b.window()));
    ASSERT_LT(position(b.window()), position(c.window()));

    control.closeWindowsBelow(b.window());
    EXPECT_TRUE(a.waitForExit()) << "the window below was not closed";
    settle(300);
    EXPECT_TRUE(b.running());
    EXPECT_TRUE(c.running());

    // A window that is not in the stacking order (the hidden main window) counts as the top:
    // every client window goes, except the program's own and the tray host.
    control.closeWindowsBelow(0);
    EXPECT_TRUE(b.waitForExit());
    EXPECT_TRUE(c.waitForExit());
    settle(300);
    EXPECT_TRUE(view.isClient(own.id));
    for (uint32_t w : trays) EXPECT_TRUE(view.isClient(w));
}

TEST(WindowControl, HidesAndShowsByTitleAndShowsTheRestAtTheEnd) {
    XView view;
    const QString path = tempPath("hidden-by-title.txt");
    Target one(view, "Notes one"), two(view, "NOTES two");
    auto other = std::make_unique<Target>(view, "Other window");
    ASSERT_NE(one.waitForWindow(), 0u);
    ASSERT_NE(two.waitForWindow(), 0u);
    const uint32_t otherId = other->waitForWindow();
    ASSERT_NE(otherId, 0u);
    OwnWindow own(view, "notes of the program");
    {
        X11WindowControl control(path.toStdString());
        // Letter case is ignored; the empty keyword matches nothing.
        EXPECT_EQ(control.hideWindows({"", "nOtEs"}), 2);
        EXPECT_TRUE(
            waitFor([&] { return isHidden(view, one.window()) && isHidden(view, two.window()); }));
        EXPECT_TRUE(isShown(view, otherId));
        EXPECT_TRUE(isShown(view, own.id));
        auto listed = parseHiddenWindows(readFile(path));
        ASSERT_EQ(listed.size(), 2u);
        for (const auto& entry : listed) {
            const bool isOne = entry.id == one.window();
            EXPECT_EQ(entry.title, isOne ? "Notes one" : "NOTES two");
            EXPECT_EQ(entry.pid, isOne ? one.pid() : two.pid());
        }

        EXPECT_EQ(control.showWindows({"two"}), 1);
        EXPECT_TRUE(waitFor([&] { return isShown(view, two.window()); }));
        EXPECT_TRUE(isHidden(view, one.window()));
        EXPECT_EQ(parseHiddenWindows(readFile(path)).size(), 1u);
        EXPECT_EQ(control.showWindows({"nothing like it"}), 0);

        // A hidden window whose program ends meanwhile is forgotten, not counted.
        EXPECT_EQ(control.hideWindows({"other"}), 1);
        EXPECT_TRUE(waitFor([&] { return isHidden(view, otherId); }));
        other.reset();
        settle(200);
        EXPECT_EQ(control.showWindows({"other"}), 0);
        EXPECT_EQ(control.hiddenWindows().size(), 1u);

        // A minimised window is hidden too (it is not mapped, so only the window manager's
        // notice withdraws it), and comes back shown.
        Target minimised(view, "Minimised window");
        control.applyWindowModeWhenMapped(minimised.pid(), WindowMode::Minimized);
        ASSERT_NE(minimised.waitForClient(), 0u);
        ASSERT_TRUE(
            waitFor([&] { return view.hasState(minimised.window(), "_NET_WM_STATE_HIDDEN"); }));
        EXPECT_EQ(control.hideWindows({"minimised"}), 1);
        EXPECT_TRUE(waitFor([&] { return isHidden(view, minimised.window()); }));
        EXPECT_EQ(control.showWindows({"minimised"}), 1);
        EXPECT_TRUE(waitFor([&] { return isShown(view, minimised.window()); }));
    }
    // The control went away: what it still hid is back, and the file is gone.
    EXPECT_TRUE(waitFor([&] { return isShown(view, one.window()); }));
    EXPECT_FALSE(QFile::exists(path));
}

TEST(WindowControl, WindowsHiddenBeforeACrashComeBackAtTheNextStart) {
    XView view;
    const QString path = tempPath("hidden-crash.txt");
    Target victim(view, "Crash victim");
    ASSERT_NE(victim.waitForWindow(), 0u);
    const int status = QProcess::execute(QCoreApplication::applicationFilePath(),
                                         {"--hide-and-die", "victim", path});
    ASSERT_EQ(status, 3);
    EXPECT_TRUE(waitFor([&] { return isHidden(view, victim.window()); }));
    // Lines for a window that no longer exists, and garbage, are dropped on reading.
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write("123\t5\tGone long ago\nnot a line at all\n");
    }

    X11WindowControl control(path.toStdString());
    auto leftovers = control.leftoversFromEarlierRun();
    ASSERT_EQ(leftovers.size(), 1u);
    EXPECT_EQ(leftovers[0].title, "Crash victim");
    EXPECT_EQ(parseHiddenWindows(readFile(path)).size(), 1u);
    EXPECT_EQ(control.restoreAfterCrash(), 1);
    EXPECT_TRUE(waitFor([&] { return isShown(view, victim.window()); }));
    EXPECT_TRUE(control.leftoversFromEarlierRun().empty());
    EXPECT_FALSE(QFile::exists(path));
}

TEST(WindowControl, HidesNothingWhenTheListCannotBeKept) {
    XView view;
    Target target(view, "Unwritable list");
    ASSERT_NE(target.waitForWindow(), 0u);
    X11WindowControl control("/nonexistent-folder/hidden.txt");
    EXPECT_EQ(control.hideWindows({"unwritable"}), 0);
    EXPECT_FALSE(control.lastError().empty());
    settle(200);
    EXPECT_TRUE(isShown(view, target.window()));
}

TEST(WindowControl, GivesAStartedProgramsFirstWindowItsMode) {
    XView view;
    X11WindowControl control("");
    Target big(view, "Maximise me");
    control.applyWindowModeWhenMapped(big.pid(), WindowMode::Maximized);
    Target small(view, "Minimise me");
    control.applyWindowModeWhenMapped(small.pid(), WindowMode::Minimized);
    ASSERT_NE(big.waitForWindow(), 0u);
    ASSERT_NE(small.waitForClient(), 0u);
    EXPECT_TRUE(waitFor([&] {
        return view.hasState(big.window(), "_NET_WM_STATE_MAXIMIZED_VERT") &&
               view.hasState(big.window(), "_NET_WM_STATE_MAXIMIZED_HORZ");
    }));
    EXPECT_TRUE(waitFor([&] { return view.hasState(small.window(), "_NET_WM_STATE_HIDDEN"); }));
    EXPECT_FALSE(view.hasState(big.window(), "_NET_WM_STATE_HIDDEN"));
    EXPECT_TRUE(waitFor([&] { return control.pendingWatches() == 0; }));

    // "Normal" needs nothing; a program that never maps a window is given up after the time.
    control.applyWindowModeWhenMapped(big.pid(), WindowMode::Normal);
    EXPECT_EQ(control.pendingWatches(), 0);
    control.applyWindowModeWhenMapped(999999, WindowMode::Maximized, 300);
    EXPECT_EQ(control.pendingWatches(), 1);
    EXPECT_TRUE(waitFor([&] { return control.pendingWatches() == 0; }, 2000));
}
