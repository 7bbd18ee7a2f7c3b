#include "storage/LanguageKeys.h"

#include "core/TextUtil.h"

namespace vorbix::lang {
namespace {

using K = std::string_view;

constexpr K kMainKeys[] = {
    // Menus and file dialogs
    "MenuHeaderFile", "MenuOpen", "MenuSaveAs", "MenuSave", "MenuSave2", "MenuLoadConfig",
    "MenuSaveConfig", "MenuClose", "MenuHeaderEdit", "MenuDeleteAll", "MenuDeleteSelected",
    "MenuHeaderGoto", "MenuWelcome", "MenuMyHotKeys", "MenuSettings", "MenuHeaderHelp",
    "MenuHelpTopics", "MenuSearchForUpdates", "MenuAbout", "HelpKeyComb", "HelpLocation",
    "HKVFilter", "INIFilter", "HTMLFilter",
    // Pages and the hot key list
    "NaviWelcome", "NaviMyHotKeys", "LabelWelcome1", "LabelWelcome2", "LabelWelcome3",
    "LabelWelcome4", "LabelWelcome5", "LabelWelcome6", "LabelWelcome7", "LabelWelcome8",
    "LabelAction", "LabelAddHotKey", "LabelAdvice", "ListViewHeaderAction",
    "ListViewHeaderProperties", "LabelActivated", "LabelDeactivated",
    // Action captions, in catalogue order
    "Action0", "Action1", "Action2", "Action3", "Action4", "Action5", "Action6", "Action7",
    "Action8", "Action9", "Action10", "Action11", "Action12", "Action13", "Action14", "Action15",
    "Action16", "Action17", "Action18", "Action19", "Action20", "Action21", "Action22", "Action23",
    "Action24", "Action25", "Action26", "Action27", "Action28", "Action29", "Action30", "Action31",
    "Action32",
    // Placeholders and window-mode words
    "sNewProgramDir", "sNewDrive", "sNewKeyComb", "sNewWebsite", "sNewText", "sNewVolume",
    "sNewAudioVideo", "sNewBrowserControl", "sNewProvider", "sNewDateTime", "sNewHide", "sNewShow",
    "sMaximized", "sMinimized",
    // Messages
    "MessageLowerThanXP1", "MessageLowerThanXP2", "MessageProperties1", "MessageProperties2",
    "MessageHideShow1", "MessageHideShow2", "MessageSymbolClose1", "MessageSymbolClose2",
    "MessageSymbolClose3", "MessageKeyComb1", "MessageKeyComb2", "MessageKeyComb3",
    "MessageKeyComb4", "MessageLocation", "MessageDeleteAll", "MessageHotKeyError1",
    "MessageHotKeyError2", "MessageAdminError", "MessageFixedError", "MessageSymbol",
    "MessageInternetError", "MessageUpdateAvailable", "MessageNoUpdate", "MessageWindowsKey",
    "MessageInsertText", "MessageTypingKey", "MessageShiftCharacter", "MessageTableFull",
    "MessageTableTruncated", "MessageHiddenWindows", "MessageActionFailed", "MessageLaunchNotSet",
    "MessageLaunchNotFound", "MessageLaunchNoProgram", "MessageLaunchFailed",
    // Tray menu
    "PopupStart1", "PopupStart2", "PopupClose", "PopupDeactivate", "PopupActivate",
    // Edit menu: the selected row's property editor
    "MenuEditSelected",
    // Why a volume row could not run
    "MessageVolumeNotSet", "MessageVolumeUnreadable", "MessageVolumeNoSoundSystem",
    "MessageVolumeNoSoundLibrary", "MessageVolumeNoDevice", "MessageVolumeFailed",
    // Start-up notices
    "MessagePolicyUnreadable",
    // Rows whose combination the system refused
    "HintHotKeyTaken", "HintHotKeyRefused", "MessageHotKeyAddedAnyway", "StatusRefusedRows",
    "MessageRefusedRows",
    // A Wayland session: the notices, a row bound to another trigger, window actions
    "MessageWayland1", "MessageWayland2", "HintHotKeyOtherTrigger", "HintWindowActionX11",
    "MessagePortalHotKeys", "MessageCharactersNotTyped",
    // Special combinations held by other programs, a desktop without tray, saving, replacing
    "MessageSpecialHotKeyTaken", "MessageNoTray", "MessageSaveFailed", "MessageOverwrite",
    // A website row whose address is refused
    "MessageAddressRefused", "MessageNotHotKeyFile", "MessageNotConfigFile", "MessageFileTooLarge",
    "MessageFileBinary", "MessageFileNotText", "MessageFileNoSection", "MessageLoadReplace",
    "MessageHotKeyFileSetAside", "MessageConfigFileSetAside",
    // Why a row carries a warning mark; a folder or address that could not be opened
    "HintHotKeyDuplicate", "HintUnknownAction", "MessageLaunchOpenFailed"};

constexpr K kAboutKeys[] = {"FormCaption", "LabelAbout3", "LabelAbout4"};

constexpr K kSettingsKeys[] = {
    // Frame and lists
    "FormCaption", "LabelHeader", "LabelCategory", "HeaderGUI", "HeaderStartup",
    "HeaderUserAccounts", "HeaderMiscellaneous", "ButtonSave", "ButtonCancel",
    "ButtonDefaultSettings", "ButtonDesktopShortcuts", "ButtonApply", "ComboboxAccountItem1",
    "ComboboxAccountItem2", "ComboboxAccountItem3", "ComboboxAccountItem4", "ComboboxColorItem4",
    "MessageDefaultSettings", "MessageWriteOK", "MessageSymbolHotKeyError1",
    "MessageSymbolHotKeyError2", "MessageDeactivateHotKeyError",
    // Group boxes and options
    "GroupBoxMisc", "GroupBoxUpdate", "GroupBoxDeActivate", "GroupBoxActionProperties",
    "GroupBoxLanguage", "GroupBoxAccount", "GroupBoxColor", "GroupBoxHide", "CheckboxStartup1",
    "CheckboxStartup2", "LabelStartup1", "LabelAccount1", "LabelAccount2", "LabelGUI1", "LabelGUI2",
    "LabelGUI3", "LabelGUI4", "LabelGUI5", "CheckboxGUI1", "CheckboxGUI2", "CheckboxGUI3",
    "CheckboxMiscellaneous1", "CheckboxMiscellaneous2", "CheckboxMiscellaneous3",
    "CheckboxMiscellaneous4", "RadioHide1", "RadioHide2", "LabelMiscellaneous1",
    // The policy could not be written
    "MessageWriteFailed"};

constexpr K kInsertTextKeys[] = {
    "FormCaption",      "LabelHeader",      "ButtonSave",          "ButtonCancel",
    "RadioInsertText1", "RadioInsertText2", "CheckboxInsertText1", "CheckboxInsertText2",
    "LabelInsertText1", "MessageURL",       "MessageCaption",      "PopupCut",
    "PopupCopy",        "PopupPaste",       "PopupSelectAll",      "LabelInsertTextKept"};

constexpr K kOpenProgDirKeys[] = {"FormCaption",
                                  "LabelHeader",
                                  "ButtonSave",
                                  "ButtonCancel",
                                  "ButtonBrowse",
                                  "Combobox1Item1",
                                  "Combobox1Item2",
                                  "LabelOpenProgDir1",
                                  "LabelOpenProgDir2",
                                  "LabelOpenProgDir3",
                                  "LabelOpenProgDir4",
                                  "LabelOpenProgDir5",
                                  "Combobox2Item1",
                                  "Combobox2Item2",
                                  "Combobox2Item3",
                                  "MessageSelectDir",
                                  "MessageFileNotExists",
                                  "MessageDirNotExists",
                                  "Filter",
                                  "LabelOpenProgDirWords"};

constexpr K kDateTimeKeys[] = {
    "FormCaption",    "LabelHeader",    "ButtonSave",     "ButtonCancel",   "ButtonAbb",
    "Combobox1Item1", "Combobox1Item2", "Combobox5Item1", "Combobox5Item2", "Combobox5Item3",
    "LabelDateTime1", "LabelDateTime2", "BalloonHint1",   "BalloonHint2",   "BalloonHint3",
    "BalloonHint4",   "BalloonHint5",   "BalloonHint6",   "BalloonHint7",   "BalloonHint8"};

constexpr K kWebsiteKeys[] = {"FormCaption",    "LabelHeader",    "ButtonSave",
                              "ButtonCancel",   "Combobox1Item1", "Combobox1Item2",
                              "Combobox1Item3", "LabelWebsite1",  "LabelWebsite2"};

// The hide/show editor has two captions and two titles, one per variant, and no FormCaption.
constexpr K kHideShowKeys[] = {
    "LabelHeader1",   "LabelHeader2", "FormCaption1",   "FormCaption2",   "ButtonSave",
    "ButtonCancel",   "ButtonAdd",    "DeleteSelected", "LabelHideShow1", "LabelHideShow2",
    "LabelHideShow3", "MessageHide1", "MessageHide2",   "MessageHide3"};

constexpr K kOpenCloseDriveKeys[] = {
    "FormCaption",          "LabelHeader",          "ButtonSave",           "ButtonCancel",
    "LabelOpenCloseDrive1", "LabelOpenCloseDrive2", "LabelOpenCloseDrive3", "DriveUnavailable"};

constexpr K kSimulateKeyCombKeys[] = {
    "FormCaption",           "LabelHeader",         "ButtonSave",          "ButtonCancel",
    "LabelSimulateKeyComb1", "MessageHotKeyError1", "MessageHotKeyError2", "MessageFixedError"};

constexpr K kAdjustVolumeKeys[] = {"FormCaption",        "LabelHeader",        "ButtonSave",
                                   "ButtonCancel",       "LabelAudioDevices",  "RadioAdjustVolume1",
                                   "RadioAdjustVolume2", "LabelAdjustVolume1", "Mute",
                                   "LabelNoDevice"};

// The media list's first two entries ("Play/Pause", "Stop") are the same in every language.
constexpr K kControlAudioVideoKeys[] = {
    "FormCaption",    "LabelHeader",   "ButtonSave", "ButtonCancel", "LabelControlAudioVideo1",
    "Combobox1Item2", "Combobox1Item3"};

constexpr K kControlBrowserKeys[] = {
    "FormCaption",          "LabelHeader",          "ButtonSave",     "ButtonCancel",
    "LabelControlBrowser1", "LabelControlBrowser2", "Combobox1Item0", "Combobox1Item1",
    "Combobox1Item2",       "Combobox1Item3",       "Combobox1Item4", "Combobox1Item5"};

constexpr K kSearchInternetPropertiesKeys[] = {"FormCaption", "LabelHeader", "ButtonSave",
                                               "ButtonCancel", "LabelProvider"};

// The search window has a close button instead of OK and Cancel; its LabelHeader is the start
// of the title, which the window completes with the provider's name.
constexpr K kSearchInternetKeys[] = {"FormCaption", "LabelHeader", "LabelSearchInternet1",
                                     "ButtonClose"};

}  // namespace

const std::array<SectionKeys, kSectionCount>& languageSections() {
    static const std::array<SectionKeys, kSectionCount> sections = {{
        {kMain, kMainKeys},
        {kAbout, kAboutKeys},
        {kSettings, kSettingsKeys},
        {kInsertText, kInsertTextKeys},
        {kOpenProgDir, kOpenProgDirKeys},
        {kDateTime, kDateTimeKeys},
        {kWebsite, kWebsiteKeys},
        {kHideShow, kHideShowKeys},
        {kOpenCloseDrive, kOpenCloseDriveKeys},
        {kSimulateKeyComb, kSimulateKeyCombKeys},
        {kAdjustVolume, kAdjustVolumeKeys},
        {kControlAudioVideo, kControlAudioVideoKeys},
        {kControlBrowser, kControlBrowserKeys},
        {kSearchInternetProperties, kSearchInternetPropertiesKeys},
        {kSearchInternet, kSearchInternetKeys},
    }};
    return sections;
}

std::span<const std::string_view> keysOf(std::string_view section) {
    for (const SectionKeys& s : languageSections()) {
        if (equalsIgnoreCase(s.section, section)) return s.keys;
    }
    return {};
}

bool isKnownKey(std::string_view section, std::string_view key) {
    for (std::string_view k : keysOf(section)) {
        if (equalsIgnoreCase(k, key)) return true;
    }
    return false;
}

}  // namespace vorbix::lang
