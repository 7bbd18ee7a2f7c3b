// The values of the list editors without widgets: the search provider, the browser and the media
// command. A row stored in either language selects its entry; OK stores the current language's.
#include <gtest/gtest.h>

#include "editors/ControlCommandModel.h"
#include "editors/SearchInternetPropertiesModel.h"
#include "tests/editors/ModelTestSupport.h"

namespace vorbix {
namespace {

using Strings = std::vector<std::string>;

const Strings kGermanBrowser = {"Zurück",    "Vorwärts",  "Startseite",
                                "Favoriten", "Neu laden", "Stop"};
const Strings kEnglishBrowser = {"Back", "Forward", "Home page", "Favorites", "Reload", "Stop"};
const Strings kGermanMedia = {"Play/Pause", "Stop", "Vorwärts", "Rückwärts"};
const Strings kEnglishMedia = {"Play/Pause", "Stop", "Next", "Previous"};

LanguageWords words(const char* language, const char* provider, const char* browser,
                    const char* media, const Strings& browserList, const Strings& mediaList) {
    LanguageWords w;
    w.main.language = language;
    w.main.sNewProvider = provider;
    w.main.sNewBrowserControl = browser;
    w.main.sNewAudioVideo = media;
    std::copy(browserList.begin(), browserList.end(), w.browserCommands.begin());
    std::copy(mediaList.begin(), mediaList.end(), w.mediaCommands.begin());
    return w;
}

const LanguageWords kGerman =
    words("German", "(Kein Anbieter gewählt)", "(Keine Browser-Aktion gewählt)",
          "(Keine Audio/Video-Aktion gewählt)", kGermanBrowser, kGermanMedia);
const LanguageWords kEnglish =
    words("English", "(No provider chosen)", "(No browser action chosen)",
          "(No audio/video action chosen)", kEnglishBrowser, kEnglishMedia);

const LanguageCatalogue& bothLanguages() {
    static const LanguageCatalogue catalogue = test::catalogueOf({kGerman, kEnglish});
    return catalogue;
}

EditorTexts current(const LanguageWords& w) {
    return {w.main, &bothLanguages()};
}

using test::rowWith;

TEST(SearchInternetPropertiesModel, ShowsTheStoredProviderAndStoresItsName) {
    struct Case {
        const char* stored;
        int provider;
    } cases[] = {
        {"Google", 0},
        {"YouTube", 1},
        {"Wikipedia", 2},
        {"eBay", 3},
        {"Amazon", 4},
        {"Bing", 5},
        {"(Kein Anbieter gewählt)", 0},
        {"(No provider chosen)", 0},
        {"bing", -1},
        {"Yahoo", -1},
    };
    for (const LanguageWords* language : {&kGerman, &kEnglish}) {
        for (const Case& c : cases) {
            SearchInternetPropertiesModel m;
            m.provider = 3;  // what the last row showed never leaks into this one
            m.decode(rowWith(c.stored), current(*language));
            EXPECT_EQ(m.provider, c.provider) << c.stored;
            EXPECT_EQ(m.okAvailable(), c.provider >= 0) << c.stored;
        }
    }
    SearchInternetPropertiesModel m;
    HotKeyEntry row = rowWith("(Kein Anbieter gewählt)");
    m.decode(row, current(kEnglish));
    m.encode(row);
    EXPECT_EQ(row.PropertiesText, "Google");
    m.provider = 4;
    m.encode(row);
    EXPECT_EQ(row.PropertiesText, "Amazon");
    // Nothing selected stores nothing.
    m.provider = -1;
    m.encode(row);
    EXPECT_EQ(row.PropertiesText, "Amazon");
}

TEST(ControlCommandModel, AStoredCommandOfEitherLanguageSelectsItsEntry) {
    struct Case {
        CommandList list;
        const char* stored;
        int entry;
    } cases[] = {
        {CommandList::Browser, "Zurück", 0},
        {CommandList::Browser, "Forward", 1},
        {CommandList::Browser, "Vorwärts", 1},
        {CommandList::Browser, "Home page", 2},
        {CommandList::Browser, "Favoriten", 3},
        {CommandList::Browser, "Reload", 4},
        {CommandList::Browser, "Neu laden", 4},
        {CommandList::Browser, "Stop", 5},
        {CommandList::Browser, "(Keine Browser-Aktion gewählt)", 0},
        {CommandList::Browser, "(No browser action chosen)", 0},
        {CommandList::Browser, "zurück", 0},     // letter case counts: no command, entry 0
        {CommandList::Browser, "Rückwärts", 0},  // a media word names no browser command
        {CommandList::Media, "Play/Pause", 0},
        {CommandList::Media, "Stop", 1},
        {CommandList::Media, "Vorwärts", 2},
        {CommandList::Media, "Next", 2},
        {CommandList::Media, "Rückwärts", 3},
        {CommandList::Media, "Previous", 3},
        {CommandList::Media, "Zurück", 0},  // a browser word names no media command
        {CommandList::Media, "(No audio/video action chosen)", 0},
    };
    for (const LanguageWords* language : {&kGerman, &kEnglish}) {
        for (const Case& c : cases) {
            const Strings entries =
                c.list == CommandList::Browser
                    ? Strings(language->browserCommands.begin(), language->browserCommands.end())
                    : Strings(language->mediaCommands.begin(), language->mediaCommands.end());
            ControlCommandModel m(c.list);
            m.entry = 5;
            HotKeyEntry row = rowWith(c.stored);
            m.decode(row, entries, current(*language));
            EXPECT_EQ(m.entry, c.entry) << c.stored << " in " << language->main.language;
            // OK stores the entry's text in the current language.
            m.encode(row, entries);
            EXPECT_EQ(row.PropertiesText, entries[size_t(c.entry)]) << c.stored;
        }
    }
}

TEST(ControlCommandModel, TheLastOfEqualEntriesWins) {
    const Strings entries = {"Eins", "Zwei", "Eins"};
    ControlCommandModel m(CommandList::Browser);
    m.decode(rowWith("Eins"), entries, current(kGerman));
    EXPECT_EQ(m.entry, 2);
}

}  // namespace
}  // namespace vorbix
