// The rules of the tray and of closing, without Qt: which caption the show/hide entry of the
// tray menu carries, what that entry does, and what a close request of the main window does
// (hide to the tray, end the program, offer the one-time notice). The tray controller and the
// main window carry the decisions out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vorbix {

class TrayRules {
public:
    // The show/hide entry: PopupStart1 shows the application, PopupStart2 hides it.
    enum class Caption { Start1, Start2 };
    enum class Step { ShowApplication, HideApplication, BringToFront };
    struct Texts {
        std::string popupStart1, popupStart2, popupActivate, popupDeactivate;
    };
    struct CloseDecision {
        bool allow = false;       // the program ends
        bool hideWindow = false;  // the main window goes to the tray
        bool noticeDue = false;   // the one-time notice may be shown (if not shown before)
    };

    void setTexts(Texts texts) { texts_ = std::move(texts); }
    Caption caption() const { return caption_; }
    const std::string& startCaption() const;
    const std::string& activationCaption(bool active) const;

    // Before the tray menu opens, on a double click and on the special hot key: the caption
    // follows the application's visibility.
    void followVisibility(bool visible);
    // The show/hide entry chosen: it hides a visible application while it reads PopupStart2,
    // else shows it.
    Step popupStart(bool visible);
    // The special hot key and a click on the icon: caption update, then the entry.
    Step toggle(bool visible);
    // A left click (`doubleClick`: the double click the desktop reports besides) on the icon at
    // `nowMs`: the first click shows or hides the application; the clicks that follow it
    // within the double-click interval belong to the same double click and do nothing, so a
    // double click toggles once, like a single click.
    std::optional<Step> iconClicked(bool visible, int64_t nowMs, int doubleClickMs);
    // A second start of the program: a hidden application is shown, a visible one comes to the
    // front.
    Step instanceCreated(bool visible);
    // A language was applied: the caption is re-read for the visibility (before the start-up
    // is complete the entry reads PopupStart2).
    void languageApplied(bool visible);
    void startedUp() { startedUp_ = true; }
    bool started() const { return startedUp_; }
    void startHidden() { caption_ = Caption::Start1; }
    void startShown() { caption_ = Caption::Start2; }

    // The main window is asked to close (close box, the Exit commands, the session end).
    CloseDecision closeQuery();
    // The Exit commands.
    void requestExit() { ExitRequested = true; }
    // The session ends: the close that follows ends the program without a notice.
    void sessionEnds() {
        SessionEnding = true;
        ExitRequested = true;
    }

    bool ExitRequested = false;
    bool SessionEnding = false;
    bool HideByMinimize = false;
    bool TrayIconVisible = true;

private:
    Texts texts_;
    Caption caption_ = Caption::Start2;
    bool startedUp_ = false;
    std::optional<int64_t> lastClickToggle_;
};

}  // namespace vorbix
