#include "storage/LanguageFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "core/ActionCatalogue.h"
#include "storage/AtomicFile.h"
#include "storage/LanguageKeys.h"

namespace vorbix {
namespace {

namespace fs = std::filesystem;

// The program folder of the source tree: the shipped data lies in <source>/data.
std::string sourceProgramFolder() {
    const char* env = std::getenv("VORBIX_SOURCE_DIR");
    const fs::path source =
        env && *env ? fs::path(env) : fs::path(__FILE__).parent_path() / "../..";
    return (source / "data").lexically_normal().string() + "/";
}

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "vorbix-lang-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path_); }
    std::string path() const { return path_.string() + "/"; }

private:
    fs::path path_;
};

TEST(LanguageFile, ReadingRules) {
    const LanguageFile file = LanguageFile::fromText(
        "; comment\r\nFormCaption=before any section\r\n[ Main ]\r\n"
        "  formcaption  =   Einstellungen  \r\n"
        "FormCaption=second of the same key\r\n"
        "Quoted=\"in quotes\"\r\n"
        "Equals=a=b\r\n"
        ";Commented=x\r\n"
        "[main]\r\nOther=from the second Main\r\n"
        "[About]\nFormCaption=LF only\n");
    EXPECT_EQ(file.text("Main", "FormCaption"), "Einstellungen");
    EXPECT_EQ(file.text("MAIN", "FORMCAPTION"), "Einstellungen");
    EXPECT_EQ(file.text("Main", "Quoted"), "\"in quotes\"");
    EXPECT_EQ(file.text("Main", "Equals"), "a=b");
    EXPECT_EQ(file.text("Main", "Commented"), "");
    EXPECT_EQ(file.text("Main", "Other"), "");  // only the first "Main" counts
    EXPECT_EQ(file.text("About", "FormCaption"), "LF only");
    EXPECT_EQ(file.text("Missing", "FormCaption"), "");
    EXPECT_EQ(file.text("About", "Missing"), "");
}

TEST(LanguageFile, LoadsTheFileOfTheLanguageAndMissingFilesGiveEmptyTexts) {
    EXPECT_EQ(LanguageFile::pathFor("/opt/vorbix/", "English"),
              "/opt/vorbix/System/Localization/English.lng");
    EXPECT_EQ(LanguageFile::pathFor("/opt/vorbix", "english"),  // only "English" selects English
              "/opt/vorbix/System/Localization/German.lng");

    TempFolder folder;
    const LanguageFile missing = LanguageFile::load(folder.path(), "English");
    EXPECT_EQ(missing.text("Main", "Action0"), "");
    EXPECT_FALSE(missing.hasSection("Main"));
    EXPECT_EQ(missing.error(), "");

    fs::create_directories(folder.path() + "System/Localization");
    ASSERT_TRUE(writeFileAtomically(LanguageFile::pathFor(folder.path(), "English"),
                                    "[About]\r\nFormCaption=\xDC"
                                    "ber \x80\r\n"));
    EXPECT_EQ(LanguageFile::load(folder.path(), "English").text("about", "formcaption"), "Über €");

    // A folder where the file should be cannot be read: still empty texts, with a reason.
    fs::create_directories(folder.path() + "System/Localization/German.lng");
    const LanguageFile unreadable = LanguageFile::load(folder.path(), "German");
    EXPECT_EQ(unreadable.text("Main", "Action0"), "");
    EXPECT_NE(unreadable.error(), "");
}

TEST(LanguageFile, MainTextsFillCaptionsAndPlaceholders) {
    const LanguageFile file = LanguageFile::fromText(
        "[Main]\nAction0=Minimize all\nAction32=System properties (dialog)\n"
        "sNewHide=(none)\nsMaximized=Maximized\n[Other]\nAction1=not from Main\n");
    const LanguageTexts texts = file.mainTexts("English");
    EXPECT_EQ(texts.language, "English");
    EXPECT_EQ(texts.caption(ActionKind::MinimizeAll), "Minimize all");
    EXPECT_EQ(texts.caption(ActionKind::CloseAllWindows), "");
    EXPECT_EQ(texts.kindOf("System properties (dialog)"), ActionKind::SystemDialog);
    EXPECT_EQ(texts.placeholder(Placeholder::NewHide), "(none)");
    EXPECT_EQ(texts.sMaximized, "Maximized");
}

// The two files that ship with the program.
class ShippedLanguageFiles : public ::testing::TestWithParam<const char*> {
protected:
    std::string path() const { return LanguageFile::pathFor(sourceProgramFolder(), GetParam()); }
    LanguageFile file() const { return LanguageFile::load(path()); }
};

TEST_P(ShippedLanguageFiles, AreWindows1252WithCrLfAndNoMark) {
    const std::optional<std::string> bytes = readWholeFile(path());
    ASSERT_TRUE(bytes) << path();
    ASSERT_FALSE(bytes->empty());
    EXPECT_EQ(bytes->front(), ';');  // a comment line says what the file is
    for (size_t i = 0; i < bytes->size(); ++i) {
        const unsigned char c = static_cast<unsigned char>((*bytes)[i]);
        // Bytes that Windows-1252 leaves undefined, and control characters other than CR LF.
        EXPECT_FALSE(c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D) << "at " << i;
        EXPECT_FALSE(c < 0x20 && c != '\r' && c != '\n') << "at " << i;
    }
    // Every line ends in CR LF: as many CR and LF as CR LF pairs.
    size_t pairs = 0;
    for (size_t pos = bytes->find("\r\n"); pos != std::string::npos;
         pos = bytes->find("\r\n", pos + 2)) {
        ++pairs;
    }
    EXPECT_EQ(std::count(bytes->begin(), bytes->end(), '\r'), static_cast<long>(pairs));
    EXPECT_EQ(std::count(bytes->begin(), bytes->end(), '\n'), static_cast<long>(pairs));
    EXPECT_EQ(bytes->substr(bytes->size() - 2), "\r\n");
    EXPECT_EQ(file().ini().encoding(), TextEncoding::Windows1252);
}

TEST_P(ShippedLanguageFiles, HoldExactlyTheKeysTheProgramReadsAllFilled) {
    const LanguageFile f = file();
    const auto& sections = f.ini().sections();
    const auto& expected = lang::languageSections();
    ASSERT_EQ(sections.size(), expected.size());
    for (size_t s = 0; s < expected.size(); ++s) {
        EXPECT_EQ(sections[s].name, expected[s].section);  // same order and spelling
        std::vector<std::string> keys;
        std::set<std::string> seen;
        for (const IniFile::Line& line : sections[s].lines) {
            EXPECT_TRUE(line.hasValue) << sections[s].name << ": " << line.key;
            EXPECT_TRUE(seen.insert(line.key).second) << "twice: " << line.key;
            EXPECT_TRUE(lang::isKnownKey(sections[s].name, line.key))
                << "unknown: " << sections[s].name << "/" << line.key;
            EXPECT_NE(line.value, "") << "empty: " << sections[s].name << "/" << line.key;
            keys.push_back(line.key);
        }
        for (std::string_view key : expected[s].keys) {
            EXPECT_EQ(seen.count(std::string(key)), 1u)
                << "missing: " << expected[s].section << "/" << key;
        }
        EXPECT_EQ(keys, std::vector<std::string>(expected[s].keys.begin(), expected[s].keys.end()))
            << sections[s].name;
    }
}

TEST_P(ShippedLanguageFiles, TextsThatCodeComparesAreConsistent) {
    const LanguageFile f = file();
    const bool german = std::string_view(GetParam()) == kGerman;
    const LanguageTexts texts = f.mainTexts(GetParam());

    std::set<std::string> captions;
    for (const ActionInfo& info : actionCatalogue()) {
        const std::string& caption = texts.caption(info.kind);
        EXPECT_TRUE(captions.insert(caption).second) << "caption twice: " << caption;
        if (german) {
            EXPECT_EQ(caption, info.germanCaption) << info.languageKey;
        }
    }

    // Window-mode words: what the editors store and the dispatcher compares with.
    EXPECT_EQ(texts.sMaximized, german ? "Maximiert" : "Maximized");
    EXPECT_EQ(texts.sMinimized, german ? "Minimiert" : "Minimized");
    for (auto [section, prefix] : {std::pair{lang::kOpenProgDir, "Combobox2Item"},
                                   std::pair{lang::kWebsite, "Combobox1Item"}}) {
        const std::string item = prefix;
        EXPECT_EQ(f.text(section, item + "1"), "Normal");
        EXPECT_EQ(f.text(section, item + "2"), texts.sMaximized);
        EXPECT_EQ(f.text(section, item + "3"), texts.sMinimized);
    }
    // The state label recognises its active text by these two words.
    EXPECT_EQ(f.text(lang::kMain, "LabelActivated"), german ? "Aktiviert" : "Activated");

    // Placeholders must be told apart from each other and from real values.
    std::set<std::string> placeholders;
    for (std::string_view key : {"sNewProgramDir", "sNewDrive", "sNewKeyComb", "sNewWebsite",
                                 "sNewText", "sNewVolume", "sNewAudioVideo", "sNewBrowserControl",
                                 "sNewProvider", "sNewDateTime", "sNewHide", "sNewShow"}) {
        const std::string value = f.text(lang::kMain, key);
        EXPECT_TRUE(placeholders.insert(value).second) << key;
        EXPECT_EQ(value.find('|'), std::string::npos) << key;  // "|" would split a keyword list
        EXPECT_EQ(value.find("<~"), std::string::npos) << key;
        EXPECT_TRUE(std::string_view("hms+-0123456789").find(value.front()) == std::string::npos)
            << key;  // neither a time format nor a volume amount
    }
    const std::string mute = f.text(lang::kAdjustVolume, "Mute");
    EXPECT_EQ(placeholders.count(mute), 0u);
    EXPECT_TRUE(std::string_view("+-0123456789").find(mute.front()) == std::string::npos);

    // Stored command words: unique within their list, distinct from the fixed media entries.
    std::set<std::string> browser;
    for (int i = 0; i <= 5; ++i) {
        browser.insert(f.text(lang::kControlBrowser, "Combobox1Item" + std::to_string(i)));
    }
    EXPECT_EQ(browser.size(), 6u);
    std::set<std::string> media = {"Play/Pause", "Stop"};
    media.insert(f.text(lang::kControlAudioVideo, "Combobox1Item2"));
    media.insert(f.text(lang::kControlAudioVideo, "Combobox1Item3"));
    EXPECT_EQ(media.size(), 4u);

    // The row count left out is filled in for %d; no other conversion may appear.
    const std::string truncated = f.text(lang::kMain, lang::kMessageTableTruncated);
    EXPECT_NE(truncated.find("%d"), std::string::npos);
    EXPECT_EQ(truncated.find('%'), truncated.find("%d"));
    EXPECT_EQ(truncated.find('%', truncated.find("%d") + 1), std::string::npos);
    EXPECT_EQ(f.text(lang::kMain, lang::kMessageTableFull).find('%'), std::string::npos);
    const std::string hidden = f.text(lang::kMain, lang::kMessageHiddenWindows);
    EXPECT_NE(hidden.find("%d"), std::string::npos);
    EXPECT_EQ(hidden.find('%'), hidden.find("%d"));
}

INSTANTIATE_TEST_SUITE_P(Shipped, ShippedLanguageFiles, ::testing::Values("German", "English"));

TEST(LanguageKeys, SectionsAreListedOnceInTranslationOrder) {
    const auto& sections = lang::languageSections();
    EXPECT_EQ(sections.front().section, lang::kMain);
    EXPECT_EQ(sections.back().section, lang::kSearchInternet);
    std::set<std::string_view> names;
    for (const lang::SectionKeys& s : sections) EXPECT_TRUE(names.insert(s.section).second);
    EXPECT_TRUE(lang::isKnownKey("hideshow", "formcaption2"));
    EXPECT_FALSE(lang::isKnownKey("HideShow", "FormCaption"));  // it has two captions instead
    EXPECT_FALSE(lang::isKnownKey("SearchInternet", "ButtonSave"));
    EXPECT_TRUE(lang::keysOf("Nowhere").empty());
}

}  // namespace
}  // namespace vorbix
