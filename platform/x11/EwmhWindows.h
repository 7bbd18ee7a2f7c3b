// One connection to the X server for reading the desktop's client windows and asking the window
// manager to act on them, through its EWMH interface: the client lists, what a window is (type,
// state, title, process), and the requests to minimise, maximise, close, activate, withdraw and
// map. Requests about many windows go out together and cost one round trip.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace vorbix {

// What is looked at in one client window.
struct ClientWindow {
    xcb_window_t id = XCB_NONE;
    bool exists = false;
    bool viewable = false;
    bool overrideRedirect = false;
    int64_t pid = 0;
    std::vector<xcb_atom_t> types;
    std::vector<xcb_atom_t> states;
    std::string title;

    bool hasType(xcb_atom_t a) const;
    bool hasState(xcb_atom_t a) const;
};

class EwmhWindows {
public:
    enum Atom {
        NetClientList,
        NetClientListStacking,
        NetWmName,
        Utf8String,
        NetWmPid,
        NetWmWindowType,
        TypeDock,
        TypeDesktop,
        TypeNormal,
        TypeDialog,
        NetWmState,
        StateHidden,
        StateMaxVert,
        StateMaxHorz,
        NetCloseWindow,
        NetActiveWindow,
        WmChangeState,
        NetSupportingWmCheck,
        NetSupported,
        AtomCount
    };

    // Connects to the display of $DISPLAY; ok() tells whether that worked.
    EwmhWindows();
    ~EwmhWindows();
    EwmhWindows(const EwmhWindows&) = delete;
    EwmhWindows& operator=(const EwmhWindows&) = delete;

    bool ok() const;
    xcb_connection_t* connection() const { return c_; }
    xcb_window_t root() const { return root_; }
    xcb_atom_t atom(Atom which) const { return atoms_[which]; }

    std::vector<uint32_t> property32(xcb_window_t window, Atom which, xcb_atom_t type);
    // A window list of the root (the clients, their stacking order, the active window).
    std::vector<xcb_window_t> windowList(Atom which);
    // Whether an EWMH window manager runs that takes close requests.
    bool windowManagerCloses();
    std::vector<ClientWindow> describe(const std::vector<xcb_window_t>& windows);
    // Whether the window exists, unmapped and not bypassing the window manager.
    bool isWithdrawn(xcb_window_t window);
    // Docks (the tray host, panels) and the desktop belong to the desktop, not to the user's
    // work: they are never minimised, closed or hidden.
    bool isDesktopPart(const ClientWindow& window) const;

    void iconify(xcb_window_t window);
    void maximize(xcb_window_t window);
    void requestClose(xcb_window_t window);
    void activate(xcb_window_t window);
    // Withdraws the window as its own client would.
    void withdraw(xcb_window_t window);
    // Maps the windows; for each, whether it still existed.
    std::vector<bool> mapAll(const std::vector<xcb_window_t>& windows);
    // Property changes of the root (a changed client list) while on.
    void selectRootEvents(bool on);
    void flush();
    // Waits until the server has carried out every request sent so far.
    void sync();

private:
    void sendToRoot(xcb_window_t window, Atom type, std::initializer_list<uint32_t> data);

    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    xcb_atom_t atoms_[AtomCount]{};
    bool rootEventsSelected_ = false;
};

}  // namespace vorbix
