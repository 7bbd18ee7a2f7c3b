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
        context.programFolder = "/opt/vorbix/";
        context.dataFolder = folder;
        context.customSchemeText = "Benutzerdefiniert";
        own = folder + "Config.ini";
    }
    void put(const std::string& path, std::string_view text) {
        ASSERT_TRUE(writeFileAtomically(path, text));
    }
    std::string text(const std::string& path) { return readWholeFile(path).value_or("<none>"); }
    std::string value(const std::string& path, std::string_view section, std::string_view key) {
        const std::optional<ConfigFile> file = ConfigFile::open(path);
        return file ? file->readString(section, key, "<absent>") : "<unreadable>";
    }

    std::string folder, own;
    ConfigContext context;
};

TEST_F(ConfigWindows, NoFileGivesTheDesignedDefaultsAndRecordsProgramDirAndActive) {
    context.ppi = 120;
    MainConfig main;
    ASSERT_TRUE(LoadMainConfig(own, context, main));
    EXPECT_EQ(main.language, "German");
    EXPECT_EQ(main.columnWidths, (std::array<int32_t, 3>{229, 278, 362}));
    EXPECT_EQ(main.window.clientWidth, 1009);
    EXPECT_EQ(main.window.clientHeight, 665);
    EXPECT_TRUE(main.window.centred);
    EXPECT_EQ(main.window.state, WindowState::Normal);
    EXPECT_TRUE(main.improvementVisible);
    EXPECT_TRUE(main.trayIconVisible);
    EXPECT_FALSE(main.welcomeCheckBoxTicked);
    EXPECT_FALSE(main.hideByMinimize);
    EXPECT_TRUE(main.active);
    EXPECT_EQ(main.colors, (std::array<ColorValue, 4>{0x000000, 0x1F1F1F, 0x2D2D2D, 0xFFFFFF}));
    EXPECT_EQ(text(own), "[Misc]\r\nProgramDir=/opt/vorbix/\r\n\r\n[Settings]\r\nActive=1\r\n\r\n");
    EXPECT_EQ(MainConfig::defaults(120).columnWidths, main.columnWidths);

    SettingsConfig settings;
    settings.autoUpdate = false;
    settings.schemeIndex = 2;
    ASSERT_TRUE(LoadSettingsConfig(own, context, settings));
    EXPECT_TRUE(settings.autoUpdate);
    EXPECT_EQ(settings.updateIntervalDays, 1);
    EXPECT_EQ(settings.schemeIndex, 0);
    EXPECT_EQ(settings.colors, main.colors);
    EXPECT_FALSE(settings.symbolHotKeyOn);
    EXPECT_FALSE(settings.deActivateHotKeyOn);
    EXPECT_TRUE(settings.improvement);
    EXPECT_TRUE(settings.pathCheck);
    EXPECT_FALSE(settings.saveClipboard);
    EXPECT_FALSE(settings.hideByMinimize);
    EXPECT_TRUE(settings.updateTimerRuns(true));
    EXPECT_FALSE(settings.updateTimerRuns(false));

    InsertTextConfig insert;
    ASSERT_TRUE(LoadInsertTextConfig(own, context, insert));
    EXPECT_EQ(insert.window.clientWidth, 682);  // 682.5 rounds to even
    EXPECT_EQ(insert.window.clientHeight, 570);
    EXPECT_TRUE(insert.window.centred);
    EXPECT_FALSE(insert.wrapLines);
}

TEST_F(ConfigWindows, MainValuesFollowTheExactRules) {
    put(own,
        "[Settings]\r\nLanguage=english\r\nActive=yes\r\nSymbolHotKey=\r\nWelcome=0\r\n"
        "Improvement=no\r\nHideByMinimize=2\r\nPosition_x=0\r\nPosition_y=12\r\n"
        "State=maximized\r\nCol0=-2\r\nCol1=-3\r\nCol2=$40\r\nColor1=clBtnFace\r\n"
        "Color2=oops\r\n");
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
    EXPECT_EQ(main.window.positionY, 12);
    EXPECT_EQ(main.window.state, WindowState::Maximized);  // unknown text: unchanged
    EXPECT_EQ(main.columnWidths, (std::array<int32_t, 3>{-2, 222, 64}));
    EXPECT_EQ(main.colors[0], kClBtnFace);
    EXPECT_EQ(main.colors[1], 0x1F1F1Fu);
    // Nothing but ProgramDir is added; the inactive value stays as it was.
    EXPECT_EQ(value(own, "Settings", "Active"), "yes");
    EXPECT_EQ(value(own, "Misc", "ProgramDir"), "/opt/vorbix/");

    put(own,
        "[Settings]\r\nLanguage=English\r\nActive=\r\nSymbolHotKey=Strg + F1\r\n"
        "HideByMinimize=x\r\nState=Normal\r\nPosition_x=0\r\nPosition_y=0\r\n");
    ASSERT_TRUE(LoadMainConfig(own, context, main));
    EXPECT_EQ(main.language, "English");
    EXPECT_FALSE(main.active);  // present and empty is not "1"
    EXPECT_FALSE(main.trayIconVisible);
    EXPECT_FALSE(main.hideByMinimize);
    EXPECT_TRUE(main.window.centred);
    EXPECT_EQ(main.window.state, WindowState::Normal);
    EXPECT_EQ(value(own, "Settings", "Active"), "");
}

TEST_F(ConfigWindows, SavingMainStateKeepsOtherWritersAndMinimisedState) {
    put(own,
        "[Settings]\r\nState=Maximized\r\nScheme=Vorbix 8\r\n[Insert Text]\r\nState=Normal\r\n");
    MainConfig main = MainConfig::defaults(96);
    main.window = {900, 600, 0, 0, true, WindowState::Minimized};
    main.active = false;
    main.welcomeCheckBoxTicked = true;
    ASSERT_TRUE(SaveMainConfig(own, context, main));
    EXPECT_EQ(text(own),
              "[Settings]\r\nState=Maximized\r\nScheme=Vorbix 8\r\nCol0=183\r\nCol1=222\r\n"
              "Col2=290\r\nClientWidth=900\r\nClientHeight=600\r\nPosition_x=0\r\n"
              "Position_y=0\r\nActive=0\r\nWelcome=0\r\n\r\n[Insert Text]\r\nState=Normal\r\n\r\n"
              "[Misc]\r\nProgramDir=/opt/vorbix/\r\n\r\n");

    // A window saved at 0,0 opens centred; Normal is written for a normal window.
    main.window.state = WindowState::Normal;
    ASSERT_TRUE(SaveMainConfig(own, context, main));
    MainConfig loaded;
    loaded.window.state = WindowState::Maximized;
    ASSERT_TRUE(LoadMainConfig(own, context, loaded));
    EXPECT_EQ(loaded.window.state, WindowState::Normal);
    EXPECT_TRUE(loaded.window.centred);
    EXPECT_EQ(loaded.window.clientWidth, 900);
    EXPECT_FALSE(loaded.active);
    EXPECT_TRUE(loaded.welcomeCheckBoxTicked);
}

TEST_F(ConfigWindows, ExportCarriesTheNoticesOfTheUsersOwnFile) {
    const MainConfig main = MainConfig::defaults(96);
    // No notices recorded: they count as shown.
    ASSERT_TRUE(SaveMainConfig(folder + "export.ini", context, main));
    EXPECT_EQ(value(folder + "export.ini", "Settings", "PropertiesNotice"), "1");
    EXPECT_EQ(value(folder + "export.ini", "Settings", "SymbolNotice"), "1");

    put(own, "[Settings]\r\nPropertiesNotice=0\r\nSymbolNotice=yes\r\n");
    ASSERT_TRUE(SaveMainConfig(folder + "export.ini", context, main));
    EXPECT_EQ(value(folder + "export.ini", "Settings", "PropertiesNotice"), "0");
    EXPECT_EQ(value(folder + "export.ini", "Settings", "SymbolNotice"), "0");

    // The user's own file, also named another way, copies nothing onto itself.
    ASSERT_TRUE(SaveMainConfig(folder + "./Config.ini", context, main));
    EXPECT_EQ(value(own, "Settings", "SymbolNotice"), "yes");

    // The three writers of an export end up together and read back as written.
    SettingsConfig settings;
    settings.language = "English";
    settings.symbolHotKeyOn = true;
    settings.symbolHotKey = "Strg + Alt + V";
    settings.schemeIndex = kCustomSchemeIndex;
    settings.colors = {0x123456, kClGray, kClBtnFace, 0xFF000019};
    settings.updateIntervalDays = 14;
    settings.saveClipboard = true;
    InsertTextConfig insert;
    insert.window = {600, 500, 30, 40, false, WindowState::Maximized};
    const std::string exported = folder + "all.ini";
    ASSERT_TRUE(SaveMainConfig(exported, context, main));
    ASSERT_TRUE(SaveSettingsConfig(exported, settings));
    ASSERT_TRUE(SaveInsertTextConfig(exported, insert));
    EXPECT_EQ(value(exported, "Settings", "Color1"), "$00123456");
    EXPECT_EQ(value(exported, "Settings", "Color2"), "clGray");
    EXPECT_EQ(value(exported, "Settings", "Color3"), "clBtnFace");
    EXPECT_EQ(value(exported, "Settings", "Scheme"), "Custom");

    SettingsConfig settingsBack;
    InsertTextConfig insertBack;
    MainConfig mainBack;
    ASSERT_TRUE(LoadMainConfig(exported, context, mainBack));
    ASSERT_TRUE(LoadSettingsConfig(exported, context, settingsBack));
    ASSERT_TRUE(LoadInsertTextConfig(exported, context, insertBack));
    EXPECT_EQ(mainBack.language, "English");
    EXPECT_FALSE(mainBack.trayIconVisible);
    EXPECT_EQ(settingsBack.symbolHotKey, "Strg + Alt + V");
    EXPECT_EQ(settingsBack.schemeIndex, kCustomSchemeIndex);
    EXPECT_EQ(settingsBack.colors, settings.colors);
    EXPECT_EQ(settingsBack.updateIntervalDays, 14);
    EXPECT_TRUE(settingsBack.saveClipboard);
    EXPECT_EQ(insertBack.window.clientWidth, 600);
    EXPECT_EQ(insertBack.window.positionY, 40);
    EXPECT_FALSE(insertBack.window.centred);
    EXPECT_EQ(insertBack.window.state, WindowState::Maximized);
}

TEST_F(ConfigWindows, SettingsKeysReadAndWriteByTheirRules) {
    put(own,
        "[Settings]\r\nSymbolHotKey=Strg + F2\r\nDeActivateHotKey=\r\nImprovement=yes\r\n"
        "AutoUpdate=1\r\nUpdateInterval=5\r\nHideByMinimize=1\r\nScheme=benutzerdefiniert\r\n"
        "Color1=$00FF0000\r\nProgramDirPrompt=\r\nSaveClipBoard=no\r\nLanguage=English\r\n"
        "Welcome=0\r\n");
    SettingsConfig settings;
    ASSERT_TRUE(LoadSettingsConfig(own, context, settings));
    EXPECT_TRUE(settings.symbolHotKeyOn);
    EXPECT_EQ(settings.symbolHotKey, "Strg + F2");
    EXPECT_FALSE(settings.deActivateHotKeyOn);
    EXPECT_FALSE(settings.improvement);         // only "1" ticks the box
    EXPECT_EQ(settings.updateIntervalDays, 1);  // not an offered interval
    EXPECT_TRUE(settings.hideByMinimize);
    EXPECT_EQ(settings.schemeIndex, kCustomSchemeIndex);
    EXPECT_EQ(settings.colors[0], 0xFF0000u);
    EXPECT_TRUE(settings.pathCheck);      // only "0" switches the check off
    EXPECT_TRUE(settings.saveClipboard);  // only "0" switches keeping off
    EXPECT_EQ(settings.language, "English");
    EXPECT_TRUE(settings.welcomeCheckBoxTicked);

    // A fixed scheme sets the swatches, the stored colours then take them over.
    put(own, "[Settings]\r\nScheme=windows classic\r\nColor4=clRed\r\nAutoUpdate=0\r\n");
    ASSERT_TRUE(LoadSettingsConfig(own, context, settings));
    EXPECT_EQ(settings.schemeIndex, 2);
    EXPECT_EQ(settings.colors, (std::array<ColorValue, 4>{0, 0x1F1F1F, 0x2D2D2D, 0x0000FF}));
    EXPECT_FALSE(settings.autoUpdate);
    put(own, "[Settings]\r\nScheme=Pastel\r\n");
    ASSERT_TRUE(LoadSettingsConfig(own, context, settings));
    EXPECT_EQ(settings.schemeIndex, std::nullopt);

    // Saving: the interval only with AutoUpdate on; unticked hot keys are deleted.
    put(own, "[Settings]\r\nUpdateInterval=7\r\nSymbolHotKey=Strg + F2\r\nDeActivateHotKey=F9\r\n");
    settings = SettingsConfig{};
    settings.autoUpdate = false;
    settings.deActivateHotKeyOn = true;
    settings.deActivateHotKey = "Alt + F10";
    settings.pathCheck = false;
    ASSERT_TRUE(SaveSettingsConfig(own, settings));
    EXPECT_EQ(text(own),
              "[Settings]\r\nUpdateInterval=7\r\nDeActivateHotKey=Alt + F10\r\nLanguage=German\r\n"
              "Welcome=1\r\nAutoUpdate=0\r\nHideByMinimize=0\r\nScheme=Standard\r\n"
              "Color1=clBlack\r\nColor2=$001F1F1F\r\nColor3=$002D2D2D\r\nColor4=clWhite\r\n"
              "ProgramDirPrompt=0\r\nSaveClipBoard=0\r\nImprovement=1\r\n\r\n");
}

TEST_F(ConfigWindows, InsertTextGeometryAndWrapBox) {
    put(own, "[Settings]\r\nReturn=1\r\n[Insert Text]\r\nClientWidth=700\r\nState=Maximized\r\n");
    InsertTextConfig insert;
    ASSERT_TRUE(LoadInsertTextConfig(own, context, insert));
    EXPECT_TRUE(insert.wrapLines);
    EXPECT_EQ(insert.window.clientWidth, 700);
    EXPECT_EQ(insert.window.clientHeight, 456);
    EXPECT_EQ(insert.window.state, WindowState::Maximized);

    ASSERT_TRUE(writeConfigValue(own, config::kSettings, "Return", "yes"));
    ASSERT_TRUE(LoadInsertTextConfig(own, context, insert));
    EXPECT_FALSE(insert.wrapLines);

    // Closing while minimised keeps the stored state; the main window's keys are not touched.
    insert.window = {610, 620, 5, 6, false, WindowState::Minimized};
    ASSERT_TRUE(SaveInsertTextConfig(own, insert));
    EXPECT_EQ(text(own),
              "[Settings]\r\nReturn=yes\r\n\r\n[Insert Text]\r\nClientWidth=610\r\n"
              "State=Maximized\r\nClientHeight=620\r\nPosition_x=5\r\nPosition_y=6\r\n\r\n");
}

TEST_F(ConfigWindows, AnUnreadableFileLeavesEverythingAsItWas) {
    ASSERT_EQ(::mkdir(own.c_str(), 0700), 0);
    MainConfig main = MainConfig::defaults(96);
    main.language = "English";
    const FileResult loaded = LoadMainConfig(own, context, main);
    EXPECT_FALSE(loaded.ok);
    EXPECT_NE(loaded.error.find(own), std::string::npos);
    EXPECT_EQ(main.language, "English");
    SettingsConfig settings;
    settings.language = "English";
    EXPECT_FALSE(LoadSettingsConfig(own, context, settings));
    EXPECT_EQ(settings.language, "English");
    InsertTextConfig insert;
    EXPECT_FALSE(LoadInsertTextConfig(own, context, insert));
    EXPECT_FALSE(SaveMainConfig(own, context, main));
    EXPECT_FALSE(SaveSettingsConfig(own, settings));
    EXPECT_FALSE(SaveInsertTextConfig(own, insert));
    EXPECT_TRUE(directoryExists(own));
    // An export beside it still works and counts the unreadable notices as shown.
    ASSERT_TRUE(SaveMainConfig(folder + "export.ini", context, main));
    EXPECT_EQ(value(folder + "export.ini", "Settings", "SymbolNotice"), "1");
}

}  // namespace
}  // namespace vorbix
