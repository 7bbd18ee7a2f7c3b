// Rows keep their meaning whatever language the window speaks: the catalogue of every language's
// words, and the dispatcher and table commands that use it.
#include "core/LanguageCatalogue.h"

#include <gtest/gtest.h>

#include "core/Dispatcher.h"
#include "core/TableCommands.h"
#include "platform/fake/FakeDesktop.h"
#include "tests/support/TestTexts.h"

namespace vorbix {
namespace {

using fake::Log;

LanguageWords germanWords() {
    LanguageWords w;
    w.main = testing::germanTestTexts();
    w.main.sMaximized = "Maximiert";
    w.main.sMinimized = "Minimiert";
    w.browserCommands = {"Zurück", "Vorwärts", "Startseite", "Favoriten", "Neu laden", "Stop"};
    w.mediaCommands = {"Play/Pause", "Stop", "Vorwärts", "Rückwärts"};
    w.mute = "Stumm/Laut";
    return w;
}

LanguageWords englishWords() {
    LanguageWords w;
    w.main.language = "English";
    for (int i = 0; i < kActionKindCount; ++i) {
        w.main.actionCaptions[i] = "English action " + std::to_string(i);
    }
    w.main.actionCaptions[toIndex(ActionKind::Copy)] = "Copy";
    w.main.sNewProgramDir = "(No program)";
    w.main.sNewDrive = "(No drive)";
    w.main.sNewKeyComb = "(No keys)";
    w.main.sNewWebsite = "(No website)";
    w.main.sNewText = "(No text)";
    w.main.sNewDateTime = "(No format)";
    w.main.sNewVolume = "(No volume)";
    w.main.sMaximized = "Maximized";
    w.main.sMinimized = "Minimized";
    w.browserCommands = {"Back", "Forward", "Home page", "Favorites", "Reload", "Stop"};
    w.mediaCommands = {"Play/Pause", "Stop", "Next", "Previous"};
    w.mute = "Mute/Unmute";
    return w;
}

// A third language that reuses a German caption for another kind.
LanguageWords confusingWords() {
    LanguageWords w;
    w.main.language = "Confusing";
    w.main.actionCaptions[toIndex(ActionKind::Copy)] = "Webseite";
    w.main.sMaximized = "Groß";
    w.browserCommands[0] = "Retour";
    w.mediaCommands[3] = "Arrière";
    w.mute = "Muet";
    return w;
}

LanguageCatalogue allLanguages() {
    LanguageCatalogue c;
    c.add(germanWords());
    c.add(englishWords());
    c.add(confusingWords());
    return c;
}

TEST(LanguageCatalogue, KindsAreKnownInEveryLanguage) {
    const LanguageCatalogue all = allLanguages();
    const LanguageCatalogue& builtIn = LanguageCatalogue::builtIn();
    const LanguageTexts english = englishWords().main;
    LanguageTexts custom = english;
    custom.actionCaptions[toIndex(ActionKind::CommandLine)] = "Kopieren";
    struct Case {
        std::string_view caption;
        const LanguageCatalogue& catalogue;
        const LanguageTexts* current;
        std::optional<ActionKind> kind;
    };
    const Case cases[] = {
        {"Kopieren", all, &english, ActionKind::Copy},
        {"Copy", all, nullptr, ActionKind::Copy},
        {"English action 21", all, nullptr, ActionKind::Website},
        // Languages added first win; the current texts come before all of them.
        {"Webseite", all, nullptr, ActionKind::Website},
        {"Kopieren", all, &custom, ActionKind::CommandLine},
        // Without any language file the German design captions are still known.
        {"Benutzerdefiniertes Programm", builtIn, nullptr, ActionKind::OpenProgramDir},
        {"Systemeigenschaften (Dialog)", builtIn, &english, ActionKind::SystemDialog},
        {"Copy", builtIn, nullptr, std::nullopt},
        // Exact comparison: letter case and blanks count; nothing matches an empty caption.
        {"kopieren", all, nullptr, std::nullopt},
        {"Kopieren ", all, nullptr, std::nullopt},
        {"", all, nullptr, std::nullopt},
        {"", builtIn, nullptr, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.catalogue.kindOf(c.caption, c.current), c.kind) << c.caption;
    }
    ASSERT_NE(all.find("English"), nullptr);
    EXPECT_EQ(all.find("English")->mute, "Mute/Unmute");
    EXPECT_EQ(all.find("French"), nullptr);
}

TEST(LanguageCatalogue, StoredWordsOfEveryLanguage) {
    const LanguageCatalogue all = allLanguages();
    const LanguageCatalogue& builtIn = LanguageCatalogue::builtIn();
    const LanguageTexts german = germanWords().main;
    const LanguageTexts english = englishWords().main;

    EXPECT_TRUE(all.isPlaceholder(Placeholder::NewDrive, "(No drive)", &german));
    EXPECT_TRUE(all.isPlaceholder(Placeholder::NewDrive, german.sNewDrive));
    EXPECT_FALSE(all.isPlaceholder(Placeholder::NewDrive, "(No keys)"));  // another kind's
    EXPECT_FALSE(all.isPlaceholder(Placeholder::NewText, ""));  // the confusing one is empty
    EXPECT_FALSE(all.isPlaceholder(Placeholder::None, ""));
    EXPECT_TRUE(builtIn.isPlaceholder(Placeholder::NewText, "(No text)", &english));
    EXPECT_FALSE(builtIn.isPlaceholder(Placeholder::NewText, "(No text)"));

    for (const auto& [word, mode] :
         std::vector<std::pair<std::string_view, WindowMode>>{{"Maximiert", WindowMode::Maximized},
                                                              {"Minimized", WindowMode::Minimized},
                                                              {"Groß", WindowMode::Maximized},
                                                              {"Normal", WindowMode::Normal},
                                                              {"", WindowMode::Normal},
                                                              {"maximiert", WindowMode::Normal}}) {
        EXPECT_EQ(all.windowModeOf(word), mode) << word;
    }
    EXPECT_EQ(builtIn.windowModeOf("Maximized"), WindowMode::Maximized);
    EXPECT_EQ(builtIn.windowModeOf("Groß"), WindowMode::Normal);

    using B = BrowserCommand;
    for (const auto& [word, command] :
         std::vector<std::pair<std::string_view, std::optional<B>>>{{"Neu laden", B::Reload},
                                                                    {"Reload", B::Reload},
                                                                    {"Vorwärts", B::Forward},
                                                                    {"Home page", B::Home},
                                                                    {"Retour", B::Back},
                                                                    {"Stop", B::Stop},
                                                                    {"", std::nullopt},
                                                                    {"reload", std::nullopt}}) {
        EXPECT_EQ(all.browserCommandOf(word), command) << word;
    }
    EXPECT_EQ(builtIn.browserCommandOf("Startseite"), B::Home);
    EXPECT_EQ(builtIn.browserCommandOf("Reload"), std::nullopt);

    using M = MediaCommand;
    for (const auto& [word, command] :
         std::vector<std::pair<std::string_view, std::optional<M>>>{{"Play/Pause", M::PlayPause},
                                                                    {"Stop", M::Stop},
                                                                    {"Vorwärts", M::Next},
                                                                    {"Previous", M::Previous},
                                                                    {"Arrière", M::Previous},
                                                                    {"", std::nullopt}}) {
        EXPECT_EQ(all.mediaCommandOf(word), command) << word;
    }
    EXPECT_TRUE(all.isMuteWord("Stumm/Laut"));
    EXPECT_TRUE(all.isMuteWord("Muet"));
    EXPECT_FALSE(all.isMuteWord(""));
    // The shipped mute words count also when a language file lacks its own.
    EXPECT_TRUE(builtIn.isMuteWord("Stumm/Laut"));
    EXPECT_TRUE(builtIn.isMuteWord("Mute/Unmute"));
    EXPECT_FALSE(builtIn.isMuteWord("Muet"));
}

class Shell : public ShellHooks {
public:
    explicit Shell(Log& log) : log_(log) {}
    void activationSwitch() override {}
    void toggleMainWindow() override {}
    WindowId hideMainWindowForCloseAll() override { return 1; }
    void runEditorEffect(ActionKind kind, const HotKeyEntry&) override {
        log_.push_back("editor effect " + std::to_string(toIndex(kind)));
    }
    void actionFailed(const std::string& reason) override { log_.push_back("failed " + reason); }

private:
    Log& log_;
};

// The window speaks English; the rows were stored in German.
struct EnglishWindow : ::testing::Test {
    fake::FakePlatform p;
    BuiltinKeyNames names{BuiltinKeyNames::Group::English};
    LanguageTexts texts = englishWords().main;
    LanguageCatalogue languages = allLanguages();
    HotKeyTable table;
    HotKeyRegistry registry{table, p.hotKeys, names};
    Shell shell{p.log};

    Log run(const LanguageCatalogue& catalogue, const HotKeyEntry& row) {
        Dispatcher dispatcher{table,       texts, registry, names,
                              p.desktop(), shell, nullptr,  &catalogue};
        dispatcher.runAction(row);
        return p.take();
    }
    static HotKeyEntry germanRow(ActionKind kind) {
        HotKeyEntry row;
        row.ActionText = std::string(actionInfo(kind).germanCaption);
        return row;
    }
};

TEST_F(EnglishWindow, GermanRowsFireWithTheirStoredWords) {
    p.drives.drives = {'D'};
    struct Case {
        ActionKind kind;
        std::function<void(HotKeyEntry&)> set;
        Log effect;
    };
    const Case cases[] = {
        {ActionKind::OpenProgramDir,
         [](HotKeyEntry& r) {
             r.Program = "/usr/bin/xterm<~F~>";
             r.HowToOpen = "Maximiert";
         },
         {"start /usr/bin/xterm [] Maximized"}},
        {ActionKind::Website,
         [](HotKeyEntry& r) {
             r.URL = "example.org";
             r.HowToOpen = "Minimiert";
         },
         {"open http://example.org Minimized"}},
        {ActionKind::HideWindows, [](HotKeyEntry& r) { r.Window = "Editor|"; }, {"hide Editor"}},
        {ActionKind::ControlAudioVideo,
         [](HotKeyEntry& r) { r.PropertiesText = "Rückwärts"; },
         {"media 3"}},
        {ActionKind::ControlBrowser,
         [](HotKeyEntry& r) { r.PropertiesText = "Startseite"; },
         {"release", "down 18", "down 36", "up 18", "up 36"}},
        {ActionKind::OpenCloseDrive,
         [](HotKeyEntry& r) { r.PropertiesText = "D:"; },
         {"door D open"}},
        {ActionKind::InsertDateTime,
         [](HotKeyEntry& r) { r.PropertiesText = "YYYY"; },
         {"editor effect 17"}},
        {ActionKind::Copy,
         [](HotKeyEntry&) {},
         {"release", "down 17", "down 67", "up 17", "up 67"}},
    };
    for (const Case& c : cases) {
        HotKeyEntry row = germanRow(c.kind);
        c.set(row);
        EXPECT_EQ(run(languages, row), c.effect) << row.ActionText;
        // Without any language file the design captions and words still carry the row.
        p.drives.trays.clear();
        EXPECT_EQ(run(LanguageCatalogue::builtIn(), row), c.effect) << row.ActionText;
    }
}

TEST_F(EnglishWindow, PlaceholdersOfAnyLanguageRunNothing) {
    p.drives.drives = {'K', 'N'};
    const LanguageTexts german = germanWords().main;
    struct Case {
        ActionKind kind;
        std::function<void(HotKeyEntry&)> set;
    };
    const Case cases[] = {
        {ActionKind::OpenCloseDrive, [&](HotKeyEntry& r) { r.PropertiesText = german.sNewDrive; }},
        {ActionKind::SimulateKeyComb,
         [&](HotKeyEntry& r) { r.PropertiesText = german.sNewKeyComb; }},
        {ActionKind::InsertDateTime,
         [&](HotKeyEntry& r) { r.PropertiesText = german.sNewDateTime; }},
        {ActionKind::InsertText, [&](HotKeyEntry& r) { r.PropertiesText = german.sNewText; }},
        {ActionKind::ControlBrowser,
         [&](HotKeyEntry& r) { r.PropertiesText = german.sNewBrowserControl; }},
    };
    for (const Case& c : cases) {
        HotKeyEntry row = germanRow(c.kind);
        c.set(row);
        EXPECT_TRUE(run(languages, row).empty()) << row.ActionText;
    }
    HotKeyEntry program = germanRow(ActionKind::OpenProgramDir);
    program.Program = german.sNewProgramDir + "<~F~>";
    EXPECT_EQ(run(languages, program), (Log{"failed No program is set"}));
    HotKeyEntry site = germanRow(ActionKind::Website);
    site.URL = german.sNewWebsite;
    EXPECT_EQ(run(languages, site), (Log{"failed No address is set"}));
    HotKeyEntry volume = germanRow(ActionKind::AdjustVolume);
    volume.PropertiesText = german.sNewVolume;
    EXPECT_EQ(run(languages, volume),
              (Log{"failed No volume change has been set for this hot key yet."}));
}

TEST_F(EnglishWindow, EditorsOpenForRowsOfEveryLanguage) {
    struct Store : TableStore {
        Result save(const std::string&) override { return {}; }
        Result load(const std::string&) override { return {}; }
        bool takePropertiesNotice() override { return false; }
    } store;
    TableCommands commands{{table, registry, texts, names, p.prompter, store,
                            [](std::string_view key) { return std::string(key); }, Permissions{},
                            "/data/HotKeys.hkv", "", &languages}};
    HotKeyEntry german = germanRow(ActionKind::Website);
    german.PropertiesText = "http://x | Normal";
    HotKeyEntry unknown = german;
    unknown.ActionText = "Zaubern";
    HotKeyEntry english = german;
    english.ActionText = "English action 9";
    for (const HotKeyEntry& row : {german, unknown, english}) ASSERT_TRUE(table.append(row));
    commands.select(0);
    ASSERT_TRUE(commands.edit());
    EXPECT_EQ(commands.edit()->kind, ActionKind::Website);
    commands.select(1);
    EXPECT_FALSE(commands.edit());
    commands.select(2);
    ASSERT_TRUE(commands.edit());
    EXPECT_EQ(commands.edit()->kind, ActionKind::SimulateKeyComb);
    EXPECT_EQ(commands.kindOf(german), ActionKind::Website);
}

}  // namespace
}  // namespace vorbix
