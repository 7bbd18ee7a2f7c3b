// The hot key file keeps every row whatever the language: rows of another language keep their
// properties, rows of a caption no language knows keep their section, insert texts keep every
// character, and the language files are read once into the catalogue.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/TextUtil.h"
#include "storage/AtomicFile.h"
#include "storage/HotKeyFile.h"
#include "storage/IniFile.h"
#include "storage/LanguageFile.h"
#include "storage/StorageLocations.h"
#include "tests/support/TestTexts.h"

namespace vorbix {
namespace {

namespace fs = std::filesystem;

LanguageWords germanWords() {
    LanguageWords w;
    w.main = testing::germanTestTexts();
    return w;
}

LanguageTexts englishTexts() {
    LanguageTexts t;
    t.language = "English";
    for (int i = 0; i < kActionKindCount; ++i) t.actionCaptions[i] = "Action " + std::to_string(i);
    t.sNewText = "(No text)";
    t.sNewDrive = "(No drive)";
    t.sNewProgramDir = "(No program)";
    return t;
}

LanguageCatalogue germanAndEnglish() {
    LanguageCatalogue c;
    c.add(germanWords());
    LanguageWords english;
    english.main = englishTexts();
    c.add(english);
    return c;
}

// A German table in the layout the writer makes: every kind with properties, then a row of a
// caption no language knows, with keys of its own in its own order.
const std::string kGermanTable =
    "[Hot Key1]\r\nHot Key=Strg+F1\r\nAction=Bestimmte Fenster verstecken\r\n"
    "Window=Editor|Rechner|\r\n"
    "[Hot Key2]\r\nHot Key=Strg+F2\r\nAction=Verstecke Fenster einblenden\r\nWindow=Notepad|\r\n"
    "[Hot Key3]\r\nHot Key=Strg+F3\r\nAction=Benutzerdefiniertes Programm\r\n"
    "Program=/usr/bin/xterm<~F~>\r\nParameter=-e top\r\nHowToOpen=Maximiert\r\n"
    "[Hot Key4]\r\nHot Key=Strg+F4\r\nAction=DVD-Laufwerk öffnen/schließen\r\n"
    "OpenCloseDrives=D:, E:\r\n"
    "[Hot Key5]\r\nHot Key=Strg+F5\r\nAction=Tastenkombination simulieren\r\nKeyComb=Strg+Alt+X\r\n"
    "[Hot Key6]\r\nHot Key=Strg+F6\r\nAction=Text einfügen\r\nText1=<~NoFo~>Grüße<~Re~>\r\n"
    "Count=1\r\nTextTail=9\r\n"
    "[Hot Key7]\r\nHot Key=Strg+F7\r\nAction=Lautstärke regeln\r\nVolume=Stumm/Laut\r\n"
    "Settings=alsa_output.analog-stereo\r\n"
    "[Hot Key8]\r\nHot Key=Strg+F8\r\nAction=Audio/Video-Wiedergabe steuern\r\n"
    "AudioVideo=Vorwärts\r\n"
    "[Hot Key9]\r\nHot Key=Strg+F9\r\nAction=Browser steuern\r\nBrowserControl=Neu laden\r\n"
    "[Hot Key10]\r\nHot Key=Strg+F10\r\nAction=Im Internet suchen\r\nProvider=Google\r\n"
    "[Hot Key11]\r\nHot Key=Strg+F11\r\nAction=Datum/Zeit einfügen\r\nDateTime=DD.MM.YYYY\r\n"
    "[Hot Key12]\r\nHot Key=Strg+F12\r\nAction=Webseite\r\nURL=https://example.org/?a=1\r\n"
    "HowToOpen=Minimiert\r\n"
    "[Hot Key13]\r\nAction=Zaubern\r\nHot Key=Win+Z\r\nZauberspruch=Abra kadabra\r\n"
    "Stärke=9\r\nAction=zweimal\r\nhot key=auch zweimal\r\n"
    "[General]\r\nCount=13\r\n";

TEST(HotKeyFileLanguages, EveryPropertySurvivesInAnotherLanguageOrWithoutLanguageFiles) {
    const LanguageTexts english = englishTexts();
    const LanguageCatalogue both = germanAndEnglish();
    const LanguageTexts none;  // the current language file is missing: every text empty
    struct Case {
        const char* what;
        const LanguageTexts& current;
        const LanguageCatalogue* languages;
    };
    for (const Case& c : {Case{"English window", english, &both},
                          Case{"English window, no language files", english, nullptr},
                          Case{"no file of the current language", none, &both}}) {
        HotKeyTable table;
        loadHotKeysFromBytes(kGermanTable, table, c.current, "", c.languages);
        ASSERT_EQ(table.size(), 13u) << c.what;
        EXPECT_EQ(table.at(2).PropertiesText, "/usr/bin/xterm -e top | Maximiert") << c.what;
        EXPECT_EQ(table.at(5).Text, "<~NoFo~>Grüße<~Re~>\t") << c.what;
        EXPECT_EQ(table.at(6).DeviceId, "alsa_output.analog-stereo") << c.what;
        EXPECT_EQ(table.at(11).URL, "https://example.org/?a=1") << c.what;
        EXPECT_EQ(table.at(12).HotKeyText, "Win+Z") << c.what;
        // Written back as it was read, the row of the unknown caption included.
        EXPECT_EQ(hotKeyFileText(table, c.current, "", c.languages), kGermanTable) << c.what;
    }
}

TEST(HotKeyFileLanguages, UnknownCaptionsKeepTheirSectionWhereverTheRowGoes) {
    HotKeyTable table;
    const LanguageTexts de = testing::germanTestTexts();
    loadHotKeysFromBytes(kGermanTable, table, de, "");
    // The row moves to the top and gets another key text: the section keeps everything else.
    table.swapWithNext(11);
    for (size_t i = 11; i > 0; --i) table.swapWithNext(i - 1);
    table.at(0).HotKeyText = "Win+Y";
    const std::string text = hotKeyFileText(table, de, "");
    EXPECT_TRUE(
        text.starts_with("[Hot Key1]\r\nAction=Zaubern\r\nHot Key=Win+Y\r\n"
                         "Zauberspruch=Abra kadabra\r\nStärke=9\r\nAction=zweimal\r\n"
                         "hot key=auch zweimal\r\n[Hot Key2]\r\n"))
        << text;

    // A section without the key text or caption gets them first; an empty section gets both.
    table.clear();
    loadHotKeysFromBytes(
        "[General]\r\nCount=2\r\n[Hot Key1]\r\nAction=Neu\r\nX=1\r\n"
        "[Hot Key2]\r\nY=2\r\n",
        table, de, "");
    EXPECT_EQ(hotKeyFileText(table, de, ""),
              "[Hot Key1]\r\nHot Key=\r\nAction=Neu\r\nX=1\r\n"
              "[Hot Key2]\r\nHot Key=\r\nAction=\r\nY=2\r\n[General]\r\nCount=2\r\n");

    // A row of a known kind never carries a kept section.
    table.clear();
    loadHotKeysFromBytes(kGermanTable, table, de, "");
    for (size_t i = 0; i + 1 < table.size(); ++i) EXPECT_TRUE(table.at(i).KeptSection.empty());
}

// What the Windows version reads: the values trimmed, the pieces up to Count joined.
std::string windowsReading(const std::string& fileText) {
    const IniFile ini = IniFile::parse(fileText);
    const IniFile::Section& row = ini.sections().front();
    std::string joined;
    const int32_t count = parseIntegerOr(row.value("Count").value_or(""), 0);
    for (int32_t n = 1; n <= count; ++n)
        joined += row.value("Text" + std::to_string(n)).value_or("");
    return joined;
}

TEST(HotKeyFileLanguages, InsertTextsKeepEveryCharacter) {
    const LanguageTexts de = testing::germanTestTexts();
    auto roundTrip = [&](const std::string& text) {
        HotKeyTable table;
        HotKeyEntry row = makeNewRow(ActionKind::InsertText, "F9", de, "");
        row.Text = text;
        EXPECT_TRUE(table.append(row));
        const std::string file = hotKeyFileText(table, de, "");
        HotKeyTable back;
        loadHotKeysFromBytes(encodeText(file, TextEncoding::Windows1252), back, de, "");
        return std::pair{back.at(0).Text, file};
    };
    // Blanks at every place around the first boundary and at both ends of the text.
    std::vector<std::string> texts;
    const std::string base = "<~NoFo~>" + std::string(250, 'x');
    for (const char* blank : {" ", "\t", "\t \t"}) {
        for (size_t at = 95; at <= 106; ++at) {
            std::string t = base;
            t.insert(at, blank);
            texts.push_back(t);
        }
        texts.push_back(base + blank);
        texts.push_back(blank + base);
        texts.push_back(std::string(blank) + "a" + blank);
    }
    // A run of blanks longer than a piece, umlauts at a boundary, and blanks only.
    texts.push_back("<~NoFo~>a" + std::string(150, '\t') + "b");
    texts.push_back("<~NoFo~>" + std::string(91, 'y') + "ä ö\tü" + std::string(100, 'z'));
    texts.push_back(" \t ");
    for (const std::string& text : texts) {
        const auto [back, file] = roundTrip(text);
        EXPECT_EQ(back, text) << file;
        const IniFile ini = IniFile::parse(file);
        for (const IniFile::Line& line : ini.sections().front().lines) {
            if (!line.key.starts_with("Text") || line.key.size() > 7) continue;
            // No piece loses a blank to trimming, and only a long run of blanks makes one
            // longer than a hundred characters.
            EXPECT_EQ(trim(line.value), line.value) << file;
            if (text.find(std::string(100, '\t')) == std::string::npos) {
                EXPECT_LE(utf8Length(line.value), kTextPieceLength) << file;
            }
        }
        // The Windows version reads the same text but for blanks at its very ends.
        EXPECT_EQ(windowsReading(file), trim(text)) << file;
    }
    // Texts without blanks keep the Windows version's pieces of a hundred.
    const std::string plain = "<~NoFo~>" + std::string(242, 'q');
    EXPECT_EQ(roundTrip(plain).second,
              "[Hot Key1]\r\nHot Key=F9\r\nAction=Text einfügen\r\nText1=" + plain.substr(0, 100) +
                  "\r\nText2=" + plain.substr(100, 100) + "\r\nText3=" + plain.substr(200) +
                  "\r\nCount=3\r\n[General]\r\nCount=1\r\n");
}

TEST(HotKeyFileLanguages, BrokenTextKeysAreNotTakenForBlanks) {
    const LanguageTexts de = testing::germanTestTexts();
    const std::string head = "[General]\r\nCount=1\r\n[Hot Key1]\r\nAction=Text einfügen\r\n";
    for (const char* tail : {"TextTail=65", "TextTail=x", "TextTail=9,,32", "TextTail=-1"}) {
        HotKeyTable t;
        loadHotKeysFromBytes(head + "Text1=<~NoFo~>a\r\nCount=1\r\n" + tail + "\r\n", t, de, "");
        EXPECT_EQ(t.at(0).Text, "<~NoFo~>a") << tail;
    }
    HotKeyTable t;
    loadHotKeysFromBytes(head + "TextHead=32,9\r\nText1=<~NoFo~>a\r\nCount=1\r\n", t, de, "");
    EXPECT_EQ(t.at(0).Text, " \t<~NoFo~>a");
}

class LanguageFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            fs::path(::testing::TempDir()) /
            ("lng-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "System/Localization");
    }
    void TearDown() override { fs::remove_all(dir_); }
    void write(const std::string& name, std::string_view text) const {
        ASSERT_TRUE(writeFileAtomically((dir_ / "System/Localization" / name).string(),
                                        encodeText(text, TextEncoding::Windows1252)));
    }
    fs::path dir_;
};

TEST_F(LanguageFolder, CatalogueReadsEveryLanguageFileOnce) {
    write("German.lng",
          "[Main]\r\nAction5=Kopieren\r\nsNewDrive=(Kein Laufwerk)\r\nsMaximized=Maximiert\r\n"
          "[ControlBrowser]\r\nCombobox1Item4=Neu laden\r\n[AdjustVolume]\r\nMute=Stumm/Laut\r\n");
    write("English.lng",
          "[Main]\r\nAction5=Copy\r\nAction21=Website\r\nsNewDrive=(No drive)\r\n"
          "[ControlAudioVideo]\r\nCombobox1Item2=Next\r\nCombobox1Item3=Previous\r\n");
    write("Zusatz.lng", "[Main]\r\nAction21=Netzseite\r\nAction5=Website\r\n");
    write("Alpha.lng", "[Main]\r\nAction7=Schnipp\r\n");
    write("notes.txt", "[Main]\r\nAction8=Nein\r\n");
    fs::create_directory(dir_ / "System/Localization/Broken.lng");
    ASSERT_EQ(::mkfifo((dir_ / "System/Localization/Pipe.lng").c_str(), 0600), 0);

    const LanguageCatalogue c = LanguageFile::loadCatalogue(dir_.string());
    std::vector<std::string> names;
    for (const LanguageWords& w : c.languages()) names.push_back(w.main.language);
    EXPECT_EQ(names, (std::vector<std::string>{"German", "English", "Alpha", "Zusatz"}));
    EXPECT_EQ(c.kindOf("Copy"), ActionKind::Copy);
    EXPECT_EQ(c.kindOf("Netzseite"), ActionKind::Website);
    EXPECT_EQ(c.kindOf("Schnipp"), ActionKind::Cut);
    EXPECT_EQ(c.kindOf("Website"), ActionKind::Website);  // English comes before Zusatz
    EXPECT_EQ(c.kindOf("Nein"), std::nullopt);
    EXPECT_EQ(c.kindOf("Ausschneiden"), ActionKind::Cut);  // a design caption
    EXPECT_TRUE(c.isPlaceholder(Placeholder::NewDrive, "(No drive)"));
    EXPECT_EQ(c.windowModeOf("Maximiert"), WindowMode::Maximized);
    EXPECT_EQ(c.browserCommandOf("Neu laden"), BrowserCommand::Reload);
    EXPECT_EQ(c.mediaCommandOf("Previous"), MediaCommand::Previous);
    EXPECT_TRUE(c.isMuteWord("Stumm/Laut"));
    // The files are read once: changing them later changes nothing.
    write("English.lng", "[Main]\r\nAction5=Duplicate\r\n");
    EXPECT_EQ(c.kindOf("Copy"), ActionKind::Copy);

    // No folder at all: the built-in words remain.
    const LanguageCatalogue empty = LanguageFile::loadCatalogue((dir_ / "nowhere").string());
    EXPECT_TRUE(empty.languages().empty());
    EXPECT_EQ(empty.kindOf("Webseite"), ActionKind::Website);
}

TEST_F(LanguageFolder, DataFolderStartsPrivateAndClean) {
    const std::string data = (dir_ / "config/Vorbix/").string();
    ASSERT_TRUE(prepareDataFolder(data));
    struct stat st {};
    ASSERT_EQ(::stat((data + "HotKeys.hkv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(data.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // A table saved to a new place is private as well; an existing one keeps its mode.
    HotKeyTable table;
    const LanguageTexts de = testing::germanTestTexts();
    ASSERT_TRUE(SaveHotKeys(data + "backup.hkv", table, de, ""));
    ASSERT_EQ(::stat((data + "backup.hkv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::chmod((data + "backup.hkv").c_str(), 0644), 0);
    ASSERT_TRUE(SaveHotKeys(data + "backup.hkv", table, de, ""));
    ASSERT_EQ(::stat((data + "backup.hkv").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u);

    // What a crash left between linking and renaming goes at the next start.
    ASSERT_TRUE(writeFileAtomically(data + ".vorbix-link-Crash1", "half"));
    ASSERT_TRUE(prepareDataFolder(data));
    EXPECT_FALSE(fs::exists(data + ".vorbix-link-Crash1"));
}

}  // namespace
}  // namespace vorbix
