// The website editor's values: what a stored row shows, and what OK stores.
#include <gtest/gtest.h>

#include "editors/WebsiteModel.h"

namespace vorbix {
namespace {

using M = WindowModeEntry;

LanguageTexts texts(const char* language, const char* placeholder, const char* maximized,
                    const char* minimized) {
    LanguageTexts t;
    t.language = language;
    t.sNewWebsite = placeholder;
    t.sMaximized = maximized;
    t.sMinimized = minimized;
    return t;
}

const LanguageTexts kGermanTexts =
    texts("German", "(Keine Webseite angegeben)", "Maximiert", "Minimiert");
const LanguageTexts kEnglishTexts =
    texts("English", "(No website given)", "Maximized", "Minimized");

const LanguageCatalogue& bothLanguages() {
    static const LanguageCatalogue catalogue = [] {
        LanguageCatalogue c;
        for (const LanguageTexts& t : {kGermanTexts, kEnglishTexts}) {
            LanguageWords words;
            words.main = t;
            c.add(words);
        }
        return c;
    }();
    return catalogue;
}

EditorTexts current(const LanguageTexts& t) {
    return {t, &bothLanguages()};
}

TEST(WebsiteModel, ShowsEveryValueFromTheRow) {
    struct Case {
        const char* url;
        const char* howToOpen;
        const char* address;
        M mode;
    } cases[] = {
        {"https://a.example", "Normal", "https://a.example", M::Normal},
        {"zwei Wörter", "Maximiert", "zwei Wörter", M::Maximized},
        {"x", "Maximized", "x", M::Maximized},  // stored while English was current
        {"x", "Minimiert", "x", M::Minimized},
        {"x", "Minimized", "x", M::Minimized},
        {"", "", "", M::Normal},
        {"(Keine Webseite angegeben)", "Normal", "", M::Normal},
        {"(No website given)", "Normal", "", M::Normal},  // the other language's placeholder
        {" (No website given)", "Normal", " (No website given)", M::Normal},
        {"x", "maximiert", "x", M::Normal},  // words are compared exactly
        {"x", "Vollbild", "x", M::Normal},   // an unknown word gives the default
    };
    for (const EditorTexts& t : {current(kGermanTexts), current(kEnglishTexts)}) {
        for (const Case& c : cases) {
            // A model that showed other values before: nothing of them may remain.
            WebsiteModel m;
            m.address = "left over";
            m.mode = M::Minimized;
            HotKeyEntry row;
            row.URL = c.url;
            row.HowToOpen = c.howToOpen;
            m.decode(row, t);
            EXPECT_EQ(m.address, c.address) << c.url << " / " << c.howToOpen;
            EXPECT_EQ(m.mode, c.mode) << c.url << " / " << c.howToOpen;
        }
    }
}

TEST(WebsiteModel, StoresTheAddressAsTypedWithTheCurrentLanguagesWord) {
    struct Case {
        const char* address;
        M mode;
        const LanguageTexts* language;
        const char* url;
        const char* howToOpen;
        const char* properties;
    } cases[] = {
        {"zwei Wörter", M::Normal, &kGermanTexts, "zwei Wörter", "Normal", "zwei Wörter | Normal"},
        {"", M::Minimized, &kGermanTexts, "", "Minimiert",
         "(Keine Webseite angegeben) | Minimiert"},
        {"", M::Maximized, &kEnglishTexts, "", "Maximized", "(No website given) | Maximized"},
        {" a.example ", M::Maximized, &kGermanTexts, " a.example ", "Maximiert",
         " a.example  | Maximiert"},
    };
    for (const Case& c : cases) {
        HotKeyEntry row;
        row.HotKeyText = "Strg+F5";
        row.ActionText = "Webseite";
        row.HowToOpen = "Maximized";  // a word of the other language is replaced
        WebsiteModel m;
        m.address = c.address;
        m.mode = c.mode;
        m.encode(row, *c.language);
        EXPECT_EQ(row.URL, c.url) << c.address;
        EXPECT_EQ(row.HowToOpen, c.howToOpen) << c.address;
        EXPECT_EQ(row.PropertiesText, c.properties) << c.address;
        EXPECT_EQ(row.HotKeyText, "Strg+F5");
        EXPECT_EQ(row.ActionText, "Webseite");
        EXPECT_TRUE(m.okAvailable());
    }
}

TEST(WebsiteModel, ARowShownAndStoredUnchangedKeepsItsValues) {
    for (const char* how : {"Normal", "Maximiert", "Minimiert"}) {
        HotKeyEntry row;
        row.URL = "https://a.example/?q=1|2";
        row.HowToOpen = how;
        row.PropertiesText = "https://a.example/?q=1|2 | " + std::string(how);
        WebsiteModel m;
        m.decode(row, current(kGermanTexts));
        HotKeyEntry stored = row;
        m.encode(stored, kGermanTexts);
        EXPECT_EQ(stored, row) << how;
    }
}

}  // namespace
}  // namespace vorbix
