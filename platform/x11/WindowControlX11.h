// Window control on an X11 desktop through the window manager's EWMH interface: minimise all,
// close the windows below one or the active one, hide and show windows by title, bring a window
// to the front, and give a started program's first window its window mode. It talks to the X
// server over a connection of its own and needs only a running Qt event loop (QCoreApplication
// is enough).
//
// Hidden windows are never lost: they are kept in memory and in a small file, shown again when
// the object goes away, and windows left hidden by an earlier run that ended without showing
// them (a crash) are taken over at construction and can be shown at once.
#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "core/Ports.h"
#include "platform/x11/WindowHideList.h"

namespace vorbix {

class X11WindowControl : public QObject, public WindowControl, public WindowModeControl {
    Q_OBJECT
public:
    // `hiddenListPath` is the file that keeps the hidden windows (empty: memory only).
    explicit X11WindowControl(std::string hiddenListPath, QObject* parent = nullptr);
    // Shows every window still hidden.
    ~X11WindowControl() override;

    bool isConnected() const;
    // Windows of this program besides those that carry its process id; never hidden or closed.
    void setOwnWindows(std::vector<WindowId> windows);

    void minimizeAll() override;
    std::vector<WindowId> stackingOrder() override;
    // A window that is not in the stacking order (hidden, or 0) counts as the top, so every
    // client window is closed. Docks, the desktop and this program's windows stay.
    void closeWindowsBelow(WindowId window, const std::vector<WindowId>& stacking) override;
    // The same with the stacking order as it is now.
    void closeWindowsBelow(WindowId window) { closeWindowsBelow(window, stackingOrder()); }
    // Sends _NET_CLOSE_WINDOW for _NET_ACTIVE_WINDOW; false without an EWMH window manager
    // that lists the request as supported.
    bool closeActiveWindow() override;
    // Hides nothing when the hidden-window file cannot be written (see lastError()).
    int hideWindows(const std::vector<std::string>& keywords) override;
    int showWindows(const std::vector<std::string>& keywords) override;
    // Activates and raises the window; a window not yet managed is activated as soon as the
    // window manager takes it (within two seconds).
    void forceForeground(WindowId window) override;

    void applyWindowModeWhenMapped(int64_t processId, WindowMode mode) override;
    void applyWindowModeWhenMapped(int64_t processId, WindowMode mode, int timeoutMs);

    // Maps every hidden window again; the number shown.
    int showAllHidden();
    std::vector<HiddenWindow> hiddenWindows() const;
    // The hidden windows taken over from an earlier run, still waiting to be shown.
    std::vector<HiddenWindow> leftoversFromEarlierRun() const;
    // Shows the windows of leftoversFromEarlierRun(); the number shown.
    int restoreAfterCrash();
    // The last failure to write the hidden-window file, empty when none.
    std::string lastError() const;
    // How many window-mode or activation watches are still waiting.
    int pendingWatches() const;

private:
    struct Impl;
    void processEvents();
    void scheduleEventProcessing();
    void checkWatches();
    void dropWatch(uint64_t serial);
    std::unique_ptr<Impl> d;
};

}  // namespace vorbix
