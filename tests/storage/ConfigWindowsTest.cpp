#include "storage/ConfigWindows.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include "storage/ConfigFile.h"

namespace vorbix {
namespace {

class ConfigWindows : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = ::testing::TempDir() + "configwindows-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        folder = pattern + "/";
        own = folder + "Config.ini";
        context = {"/opt/vorbix/", folder, true, 96, "Benutzerdefiniert"};
    }
    void put(std::string_view text) { ASSERT_TRUE(writeFileAtomically(own, text)); }
    std::string value(const std::string& path, std::string_view key) {
        const std::optional<ConfigFile> file = ConfigFile::open(path);
        return file ? file->readString("Settings", key, "<absent>") : "<unreadable>";
    }

    std::string folder, own;
    ConfigContext context;
};

TEST_F(ConfigWindows, NoFileGivesTheScaledDefaultsAndRecordsProgramDirAndActive) {
    context.ppi = 120;
    MainConfig main;
    ASSERT_TRUE(LoadMainConfig(own, context, main));
    EXPECT_EQ(main.columnWidths, (std::array<int32_t, 3>{229, 278, 362}));
    EXPECT_EQ(main.window.clientWidth, 1009);
    EXPECT_TRUE(main.window.centred);
    EXPECT_TRUE(main.trayIconVisible && main.active && main.improvementVisible);
    EXPECT_EQ(readWholeFile(own),
              "[Misc]\r\nProgramDir=/opt/vorbix/\r\n\r\n[Settings]\r\nActive=1\r\n\r\n");

    SettingsConfig settings;
    settings.schemeIndex = 2;
    settings.autoUpdate = false;
    ASSERT_TRUE(LoadSettingsConfig(own, context, settings));
    EXPECT_EQ(settings.schemeIndex, 0);
    EXPECT_EQ(settings.colors, main.colors);
    EXPECT_TRUE(settings.autoUpdate && settings.pathCheck);
    EXPECT_FALSE(settings.saveClipboard || settings.symbolHotKeyOn);

    InsertTextConfig insert;
    ASSERT_TRUE(LoadInsertTextConfig(own, context, insert));
    EXPECT_EQ(insert.window.clientWidth, 682);  // 682.5 rounds to even
    EXPECT_FALSE(insert.wrapLines);
}

TEST_F(ConfigWindows, MainValuesFollowTheExactRules) {
    put("[Settings]\r\nLanguage=english\r\nActive=yes\r\nSymbolHotKey=\r\nWelcome=0\r\n"
        "Improvement=no\r\nHideByMinimize=2\r\nPosition_x=0\r\nPosition_y=12\r\n"
        "State=maximized\r\nCol0=-2\r\nCol1=-3\r\nColor2=oops\r\n");
    MainConfig main;
    main.window.state = WindowState::Maximized;
    context.mayChangeConfig = false;
    ASSERT_TRUE(LoadMainConfig(own, context, main));
    EXPECT_EQ(main.language, "German");  // the comparison is exact
    EXPECT_FALSE(main.active);
    EXPECT_TRUE(main.trayIconVisible);  // present but empty behaves as absent
    EXPECT_TRUE(main.welcomeCheckBoxTicked);
    EXPECT_FALSE(main.welcomeCheckBoxEnabled);
    EXPECT_TRUE(main.improvementVisible);  // only "0" hides the link
    EXPECT_TRUE(main.hideByMinimize);
    EXPECT_FALSE(main.window.centred);
    EXPECT_EQ(main.window.state, WindowState::Maximized);  // unknown text: unchanged
    EXPECT_EQ(main.columnWidths, (std::array<int32_t, 3>{-2, 222, 290}));
    EXPECT_EQ(main.colors[1], 0x1F1F1Fu);
    EXPECT_EQ(value(own, "Active"), "yes");  // an inactive value is not corrected

    put("[Settings]\r\nLanguage=English\r\nActive=\r\nSymbolHotKey=Strg + F1\r\nState=Normal\r\n");
    ASSERT_TRUE(LoadMainConfig(own, context, main));
    EXPECT_EQ(main.language, "English");
    EXPECT_FALSE(main.active);  // present and empty is not "1"
    EXPECT_FALSE(main.trayIconVisible);
    EXPECT_EQ(main.window.state, WindowState::Normal);
}

TEST_F(ConfigWindows, SavingKeepsOtherWritersMinimisedStateAndExportsNotices) {
    put("[Settings]\r\nState=Maximized\r\nScheme=Vorbix 8\r\n");
    MainConfig main = MainConfig::defaults(96);
    main.window = {900, 600, 0, 0, true, WindowState::Minimized};
    main.active = false;
    ASSERT_TRUE(SaveMainConfig(own, context, main));
    EXPECT_EQ(readWholeFile(own),
              "[Settings]\r\nState=Maximized\r\nScheme=Vorbix 8\r\nCol0=183\r\nCol1=222\r\n"
              "Col2=290\r\nClientWidth=900\r\nClientHeight=600\r\nPosition_x=0\r\n"
              "Position_y=0\r\nActive=0\r\nWelcome=1\r\n\r\n[Misc]\r\nProgramDir=/opt/vorbix/"
              "\r\n\r\n");

    // An export carries the notices of the user's own file; unrecorded ones count as shown.
    const std::string exported = folder + "export.ini";
    ASSERT_TRUE(SaveMainConfig(exported, context, main));
    EXPECT_EQ(value(exported, "PropertiesNotice") + value(exported, "SymbolNotice"), "11");
    put("[Settings]\r\nPropertiesNotice=0\r\nSymbolNotice=yes\r\n");
    ASSERT_TRUE(SaveMainConfig(exported, context, main));
    EXPECT_EQ(value(exported, "PropertiesNotice") + value(exported, "SymbolNotice"), "00");
    // The user's own file, also named another way, copies nothing onto itself.
    ASSERT_TRUE(SaveMainConfig(folder + "./Config.ini", context, main));
    EXPECT_EQ(value(own, "SymbolNotice"), "yes");

    // The three writers of an export end up together and load back as written.
    SettingsConfig settings;
    settings.symbolHotKeyOn = true;
    settings.symbolHotKey = "Strg + Alt + V";
    settings.schemeIndex = kCustomSchemeIndex;
    settings.colors = {0x123456, kClGray, kClBtnFace, 0xFF000019};
    settings.updateIntervalDays = 14;
    const InsertTextConfig insert{{600, 500, 30, 40, false, WindowState::Maximized}, false};
    ASSERT_TRUE(SaveSettingsConfig(exported, settings));
    ASSERT_TRUE(SaveInsertTextConfig(exported, insert));
    SettingsConfig settingsBack;
    InsertTextConfig insertBack;
    MainConfig mainBack;
    ASSERT_TRUE(LoadMainConfig(exported, context, mainBack));
    ASSERT_TRUE(LoadSettingsConfig(exported, context, settingsBack));
    ASSERT_TRUE(LoadInsertTextConfig(exported, context, insertBack));
    EXPECT_FALSE(mainBack.trayIconVisible);
    EXPECT_EQ(mainBack.window.clientWidth, 900);
    EXPECT_EQ(settingsBack.symbolHotKey, "Strg + Alt + V");
    EXPECT_EQ(settingsBack.schemeIndex, kCustomSchemeIndex);
    EXPECT_EQ(settingsBack.colors, settings.colors);
    EXPECT_EQ(settingsBack.updateIntervalDays, 14);
    EXPECT_EQ(insertBack.window.positionY, 40);
    EXPECT_EQ(insertBack.window.state, WindowState::Maximized);
}

TEST_F(ConfigWindows, SettingsKeysReadAndWriteByTheirRules) {
    put("[Settings]\r\nSymbolHotKey=Strg + F2\r\nDeActivateHotKey=\r\nImprovement=yes\r\n"
        "UpdateInterval=5\r\nScheme=windows classic\r\nColor4=clRed\r\nProgramDirPrompt=\r\n"
        "SaveClipBoard=no\r\nReturn=yes\r\n");
    SettingsConfig settings;
    ASSERT_TRUE(LoadSettingsConfig(own, context, settings));
    EXPECT_TRUE(settings.symbolHotKeyOn);
    EXPECT_FALSE(settings.deActivateHotKeyOn);
    EXPECT_FALSE(settings.improvement);         // only "1" ticks the box
    EXPECT_EQ(settings.updateIntervalDays, 1);  // not an offered interval
    // The scheme sets the swatches, the stored colours then take them over.
    EXPECT_EQ(settings.schemeIndex, 2);
    EXPECT_EQ(settings.colors, (std::array<ColorValue, 4>{0, 0x1F1F1F, 0x2D2D2D, 0x0000FF}));
    EXPECT_TRUE(settings.pathCheck);      // only "0" switches the check off
    EXPECT_TRUE(settings.saveClipboard);  // only "0" switches keeping off
    InsertTextConfig insert;
    ASSERT_TRUE(LoadInsertTextConfig(own, context, insert));
    EXPECT_FALSE(insert.wrapLines);  // only "1" wraps

    // Saving: the interval only with AutoUpdate on; unticked hot keys are deleted.
    put("[Settings]\r\nUpdateInterval=7\r\nSymbolHotKey=Strg + F2\r\nDeActivateHotKey=F9\r\n");
    settings = SettingsConfig{};
    settings.autoUpdate = false;
    settings.deActivateHotKeyOn = true;
    settings.deActivateHotKey = "Alt + F10";
    settings.schemeIndex = std::nullopt;
    ASSERT_TRUE(SaveSettingsConfig(own, settings));
    EXPECT_EQ(readWholeFile(own),
              "[Settings]\r\nUpdateInterval=7\r\nDeActivateHotKey=Alt + F10\r\nLanguage=German\r\n"
              "Welcome=1\r\nAutoUpdate=0\r\nHideByMinimize=0\r\nScheme=\r\n"
              "Color1=clBlack\r\nColor2=$001F1F1F\r\nColor3=$002D2D2D\r\nColor4=clWhite\r\n"
              "ProgramDirPrompt=1\r\nSaveClipBoard=0\r\nImprovement=1\r\n\r\n");
}

TEST_F(ConfigWindows, AnUnreadableFileLeavesEverythingAsItWas) {
    ASSERT_EQ(::mkdir(own.c_str(), 0700), 0);
    MainConfig main;
    main.language = "English";
    const FileResult loaded = LoadMainConfig(own, context, main);
    EXPECT_NE(loaded.error.find(own), std::string::npos);
    EXPECT_EQ(main.language, "English");
    SettingsConfig settings;
    EXPECT_FALSE(LoadSettingsConfig(own, context, settings));
    EXPECT_FALSE(SaveMainConfig(own, context, main));
    EXPECT_FALSE(SaveSettingsConfig(own, settings));
    EXPECT_FALSE(SaveInsertTextConfig(own, InsertTextConfig{}));
    EXPECT_TRUE(directoryExists(own));
}

}  // namespace
}  // namespace vorbix
