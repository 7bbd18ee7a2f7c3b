// The tray's caption and close rules, without any window.
#include <gtest/gtest.h>

#include <vector>

#include "shell/tray/TrayRules.h"

namespace vorbix {
namespace {

using Caption = TrayRules::Caption;
using Step = TrayRules::Step;

TrayRules rulesWithTexts() {
    TrayRules r;
    r.setTexts(
        {"Vorbix &starten", "Vorbix &verstecken", "Vorbix &aktivieren", "Vorbix &deaktivieren"});
    r.startedUp();
    return r;
}

TEST(TrayRules, ShowHideEntryDecidesByCaptionAndVisibility) {
    struct Case {
        Caption before;
        bool visible;
        Step step;
        Caption after;
    } cases[] = {
        {Caption::Start2, true, Step::HideApplication, Caption::Start1},
        {Caption::Start2, false, Step::ShowApplication, Caption::Start2},
        // A caption left behind (minimised into the tray) never hides a visible window.
        {Caption::Start1, true, Step::ShowApplication, Caption::Start2},
        {Caption::Start1, false, Step::ShowApplication, Caption::Start2},
    };
    for (const Case& c : cases) {
        TrayRules r = rulesWithTexts();
        r.followVisibility(c.before == Caption::Start2);
        EXPECT_EQ(r.popupStart(c.visible), c.step) << int(c.before) << c.visible;
        EXPECT_EQ(r.caption(), c.after) << int(c.before) << c.visible;
    }
}

TEST(TrayRules, HotKeyDoubleClickAndSecondStartFollowTheRealVisibility) {
    TrayRules r = rulesWithTexts();
    r.startHidden();
    // Whatever the caption says, the toggle hides what is visible and shows what is hidden.
    EXPECT_EQ(r.toggle(true), Step::HideApplication);
    EXPECT_EQ(r.startCaption(), "Vorbix &starten");
    r.startShown();
    EXPECT_EQ(r.toggle(false), Step::ShowApplication);
    EXPECT_EQ(r.startCaption(), "Vorbix &verstecken");

    EXPECT_EQ(r.instanceCreated(true), Step::BringToFront);
    EXPECT_EQ(r.caption(), Caption::Start2);
    r.startShown();
    EXPECT_EQ(r.instanceCreated(false), Step::ShowApplication) << "even with a stale caption";
}

TEST(TrayRules, AClickShowsOrHidesAndADoubleClickDoesTheSameOnce) {
    constexpr int kInterval = 400;
    struct Case {
        const char* what;
        std::vector<int64_t> clicksMs;  // the click reports the desktop sends, in order
        bool visibleAfter;              // starting hidden
    } cases[] = {
        {"one click", {1000}, true},
        // The desktop reports the second press of a double click as a click and a double click.
        {"double click", {1000, 1150, 1150}, true},
        {"two single clicks", {1000, 2000}, false},
        {"a double click, then a click", {1000, 1200, 1200, 3000}, false},
        {"two double clicks", {1000, 1100, 1100, 2000, 2100, 2100}, false},
        {"a double click at the end of the interval", {1000, 1400, 1400}, true},
        {"a second click just after the interval", {1000, 1401}, false},
    };
    for (const Case& c : cases) {
        TrayRules r = rulesWithTexts();
        r.startHidden();
        bool visible = false;
        for (int64_t at : c.clicksMs) {
            if (auto step = r.iconClicked(visible, at, kInterval))
                visible = *step == Step::ShowApplication || *step == Step::BringToFront;
        }
        EXPECT_EQ(visible, c.visibleAfter) << c.what;
        EXPECT_EQ(r.caption(), visible ? Caption::Start2 : Caption::Start1) << c.what;
    }
}

TEST(TrayRules, LanguageKeepsTheEntryInLineWithVisibility) {
    TrayRules r;
    r.languageApplied(false);
    EXPECT_EQ(r.caption(), Caption::Start2) << "before the start-up is complete";
    r.startedUp();
    r.languageApplied(false);
    EXPECT_EQ(r.caption(), Caption::Start1);
    r.languageApplied(true);
    EXPECT_EQ(r.caption(), Caption::Start2);

    r.setTexts({"Start", "Hide", "Switch on", "Switch off"});
    EXPECT_EQ(r.startCaption(), "Hide");
    EXPECT_EQ(r.activationCaption(true), "Switch off");
    EXPECT_EQ(r.activationCaption(false), "Switch on");
}

TEST(TrayRules, CloseRequests) {
    struct Case {
        const char* what;
        bool hideByMinimize, exit, session;
        bool allow, hide, notice;
    } cases[] = {
        {"close box", false, false, false, false, true, true},
        {"Exit command", false, true, false, true, true, false},
        {"session end", false, false, true, true, true, false},
        {"close box, hide by minimise", true, false, false, true, false, false},
        {"Exit, hide by minimise", true, true, false, true, false, false},
    };
    for (const Case& c : cases) {
        TrayRules r = rulesWithTexts();
        r.startShown();
        r.HideByMinimize = c.hideByMinimize;
        if (c.exit) r.requestExit();
        if (c.session) r.sessionEnds();
        const TrayRules::CloseDecision d = r.closeQuery();
        EXPECT_EQ(d.allow, c.allow) << c.what;
        EXPECT_EQ(d.hideWindow, c.hide) << c.what;
        EXPECT_EQ(d.noticeDue, c.notice) << c.what;
        // Hidden to the tray, the entry offers to show the window again.
        EXPECT_EQ(r.caption(), c.hide ? Caption::Start1 : Caption::Start2) << c.what;
    }
}

}  // namespace
}  // namespace vorbix
