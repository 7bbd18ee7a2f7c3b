// Translating hot key files between the shipped languages: every stored word of the language
// changes, every value of the user and every other byte stays, and the way back gives the
// original bytes.
#include "storage/HotKeyTranslation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "storage/LanguageFile.h"
#include "storage/TextCodec.h"

namespace vorbix {
namespace {

namespace fs = std::filesystem;

const LanguageCatalogue& shippedLanguages() {
    static const LanguageCatalogue catalogue = [] {
        const char* env = std::getenv("VORBIX_SOURCE_DIR");
        const fs::path source =
            env && *env ? fs::path(env) : fs::path(__FILE__).parent_path() / "../..";
        return LanguageFile::loadCatalogue((source / "data").lexically_normal().string() + "/");
    }();
    return catalogue;
}

// Lines joined with CR LF and encoded as the Windows version writes: Windows-1252.
std::string table(const std::vector<std::string>& lines,
                  TextEncoding encoding = TextEncoding::Windows1252) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return encodeText(text, encoding);
}

TranslationResult translate(std::string_view bytes, std::string_view to) {
    return translateHotKeyFile(bytes, to, shippedLanguages());
}

// One row of every kind, with its properties set and not set yet, in both languages as the
// program writes them on a German and on an English layout. The user's values hold words of the
// languages on purpose: they must stay.
struct Pair {
    std::string german;
    std::string english;
};

const std::vector<Pair>& everyKind() {
    static const std::vector<Pair> rows = {
        {"[Hot Key1]", "[Hot Key1]"},
        {"Hot Key=Strg+F1", "Hot Key=Ctrl+F1"},
        {"Action=Bestimmte Fenster verstecken", "Action=Hide certain windows"},
        {"Window=(Keine Schlagwörter angegeben)", "Window=(No keywords given)"},
        {"[Hot Key2]", "[Hot Key2]"},
        {"Hot Key=Strg+Shift+F2", "Hot Key=Ctrl+Shift+F2"},
        {"Action=Verstecke Fenster einblenden", "Action=Show hidden windows"},
        {"Window=Maximiert|Rechner|", "Window=Maximiert|Rechner|"},
        {"[Hot Key3]", "[Hot Key3]"},
        {"Hot Key=Win+Pos1", "Hot Key=Win+Home"},
        {"Action=Benutzerdefiniertes Programm", "Action=Custom program"},
        {"Program=/usr/bin/gedit<~F~>", "Program=/usr/bin/gedit<~F~>"},
        {"Parameter=--title Maximiert", "Parameter=--title Maximiert"},
        {"HowToOpen=Maximiert", "HowToOpen=Maximized"},
        {"[Hot Key4]", "[Hot Key4]"},
        {"Hot Key=Strg+Alt+Entf", "Hot Key=Ctrl+Alt+Del"},
        {"Action=Benutzerdefiniertes Programm", "Action=Custom program"},
        {"Program=(Kein Programm/Verzeichnis gewählt)<~F~>",
         "Program=(No program or folder chosen)<~F~>"},
        {"Parameter=", "Parameter="},
        {"HowToOpen=Normal", "HowToOpen=Normal"},
        {"[Hot Key5]", "[Hot Key5]"},
        {"Hot Key=Alt+Einfg", "Hot Key=Alt+Ins"},
        {"Action=Webseite", "Action=Website"},
        {"URL=(Keine Webseite angegeben)", "URL=(No website given)"},
        {"HowToOpen=Minimiert", "HowToOpen=Minimized"},
        {"[Hot Key6]", "[Hot Key6]"},
        {"Hot Key=Strg+Ö", "Hot Key=Ctrl+`"},
        {"Action=Webseite", "Action=Website"},
        {"URL=https://example.org/Minimiert", "URL=https://example.org/Minimiert"},
        {"HowToOpen=Normal", "HowToOpen=Normal"},
        {"[Hot Key7]", "[Hot Key7]"},
        {"Hot Key=Strg+F7", "Hot Key=Ctrl+F7"},
        {"Action=DVD-Laufwerk öffnen/schließen", "Action=Open/close DVD drive"},
        {"OpenCloseDrives=(Kein Laufwerk gewählt)", "OpenCloseDrives=(No drive chosen)"},
        {"[Hot Key8]", "[Hot Key8]"},
        {"Hot Key=Strg+F8", "Hot Key=Ctrl+F8"},
        {"Action=DVD-Laufwerk öffnen/schließen", "Action=Open/close DVD drive"},
        {"OpenCloseDrives=D:E:", "OpenCloseDrives=D:E:"},
        {"[Hot Key9]", "[Hot Key9]"},
        {"Hot Key=Strg+F9", "Hot Key=Ctrl+F9"},
        {"Action=Tastenkombination simulieren", "Action=Simulate key combination"},
        {"KeyComb=Strg+Shift+BildAuf", "KeyComb=Ctrl+Shift+PgUp"},
        {"[Hot Key10]", "[Hot Key10]"},
        {"Hot Key=Strg+F10", "Hot Key=Ctrl+F10"},
        {"Action=Tastenkombination simulieren", "Action=Simulate key combination"},
        {"KeyComb=(Keine Tastenkombination festgelegt)", "KeyComb=(No key combination set)"},
        {"[Hot Key11]", "[Hot Key11]"},
        {"Hot Key=Strg+F11", "Hot Key=Ctrl+F11"},
        {"Action=Text einfügen", "Action=Insert text"},
        {"Text1=<~NoFo~>Strg+C Stumm/Laut Zurück", "Text1=<~NoFo~>Strg+C Stumm/Laut Zurück"},
        {"Count=1", "Count=1"},
        {"[Hot Key12]", "[Hot Key12]"},
        {"Hot Key=Strg+F12", "Hot Key=Ctrl+F12"},
        {"Action=Lautstärke regeln", "Action=Adjust volume"},
        {"Volume=Stumm/Laut", "Volume=Mute/Unmute"},
        {"Settings=alsa_output.Stumm/Laut", "Settings=alsa_output.Stumm/Laut"},
        {"[Hot Key13]", "[Hot Key13]"},
        {"Hot Key=Shift+Alt+F1", "Hot Key=Shift+Alt+F1"},
        {"Action=Lautstärke regeln", "Action=Adjust volume"},
        {"Volume=-10", "Volume=-10"},
        {"Settings=", "Settings="},
        {"[Hot Key14]", "[Hot Key14]"},
        {"Hot Key=Win+F2", "Hot Key=Win+F2"},
        {"Action=Lautstärke regeln", "Action=Adjust volume"},
        {"Volume=(Keine Lautstärkeänderung festgelegt)", "Volume=(No volume change set)"},
        {"Settings=", "Settings="},
        {"[Hot Key15]", "[Hot Key15]"},
        {"Hot Key=Win+F3", "Hot Key=Win+F3"},
        {"Action=Audio/Video-Wiedergabe steuern", "Action=Control audio/video playback"},
        {"AudioVideo=Vorwärts", "AudioVideo=Next"},
        {"[Hot Key16]", "[Hot Key16]"},
        {"Hot Key=Win+F4", "Hot Key=Win+F4"},
        {"Action=Audio/Video-Wiedergabe steuern", "Action=Control audio/video playback"},
        {"AudioVideo=Play/Pause", "AudioVideo=Play/Pause"},
        {"[Hot Key17]", "[Hot Key17]"},
        {"Hot Key=Win+F5", "Hot Key=Win+F5"},
        {"Action=Audio/Video-Wiedergabe steuern", "Action=Control audio/video playback"},
        {"AudioVideo=(Keine Audio/Video-Aktion gewählt)",
         "AudioVideo=(No playback command chosen)"},
        {"[Hot Key18]", "[Hot Key18]"},
        {"Hot Key=Win+F6", "Hot Key=Win+F6"},
        {"Action=Browser steuern", "Action=Control browser"},
        {"BrowserControl=Vorwärts", "BrowserControl=Forward"},
        {"[Hot Key19]", "[Hot Key19]"},
        {"Hot Key=Win+F7", "Hot Key=Win+F7"},
        {"Action=Browser steuern", "Action=Control browser"},
        {"BrowserControl=(Keine Browser-Aktion gewählt)",
         "BrowserControl=(No browser command chosen)"},
        {"[Hot Key20]", "[Hot Key20]"},
        {"Hot Key=Win+F8", "Hot Key=Win+F8"},
        {"Action=Im Internet suchen", "Action=Search the Internet"},
        {"Provider=Google", "Provider=Google"},
        {"[Hot Key21]", "[Hot Key21]"},
        {"Hot Key=Win+F9", "Hot Key=Win+F9"},
        {"Action=Im Internet suchen", "Action=Search the Internet"},
        {"Provider=(Kein Anbieter gewählt)", "Provider=(No search provider chosen)"},
        {"[Hot Key22]", "[Hot Key22]"},
        {"Hot Key=Win+F10", "Hot Key=Win+F10"},
        {"Action=Datum/Zeit einfügen", "Action=Insert date/time"},
        {"DateTime=DD.MM.YYYY", "DateTime=DD.MM.YYYY"},
        {"[Hot Key23]", "[Hot Key23]"},
        {"Hot Key=Win+F11", "Hot Key=Win+F11"},
        {"Action=Datum/Zeit einfügen", "Action=Insert date/time"},
        {"DateTime=(Kein Format gewählt)", "DateTime=(No format chosen)"},
        {"[Hot Key24]", "[Hot Key24]"},
        {"Hot Key=Strg+Alt+Ende", "Hot Key=Ctrl+Alt+End"},
        {"Action=Windows herunterfahren", "Action=Shut down"},
        {"[Hot Key25]", "[Hot Key25]"},
        {"Hot Key=Strg+Leertaste", "Hot Key=Ctrl+Leertaste"},
        {"Action=Kopieren", "Action=Copy"},
        {"[General]", "[General]"},
        {"Count=25", "Count=25"},
    };
    return rows;
}

TEST(HotKeyTranslation, EveryKindBothWaysAndBackToTheSameBytes) {
    std::vector<std::string> german, english;
    for (const Pair& p : everyKind()) {
        german.push_back(p.german);
        english.push_back(p.english);
    }
    const std::string de = table(german), en = table(english);

    const TranslationResult toEnglish = translate(de, "English");
    ASSERT_TRUE(toEnglish.ok) << toEnglish.error;
    EXPECT_TRUE(toEnglish.keptRows.empty()) << toEnglish.keptRows.front();
    EXPECT_EQ(toEnglish.bytes, en);

    const TranslationResult toGerman = translate(en, "German");
    ASSERT_TRUE(toGerman.ok) << toGerman.error;
    EXPECT_TRUE(toGerman.keptRows.empty()) << toGerman.keptRows.front();
    EXPECT_EQ(toGerman.bytes, de);

    // A file already in the target language comes out as it went in.
    EXPECT_EQ(translate(de, "German").bytes, de);
    EXPECT_EQ(translate(en, "English").bytes, en);
}

TEST(HotKeyTranslation, KeyTextsTheTargetReadsStayOthersBecomeThoseTheProgramWrites) {
    struct Case {
        const char* text;
        const char* english;
        const char* german;
    };
    const Case cases[] = {
        // The capture form, as typed by hand or stored by older versions: both languages read
        // it, so it stays (and comes back as it was).
        {"Strg+Umsch+A", "Strg+Umsch+A", "Strg+Umsch+A"},
        {"Strg+Umsch+BildAuf", "Strg+Umsch+BildAuf", "Strg+Umsch+BildAuf"},
        // Letter case and order of the modifiers as the reader takes them.
        {"strg+a", "strg+a", "strg+a"},
        {"Umsch+Strg+A", "Umsch+Strg+A", "Umsch+Strg+A"},
        // Written for the other layout group: becomes the target's own text.
        {"Ctrl+Shift+A", "Ctrl+Shift+A", "Strg+Shift+A"},
        {"Strg+Shift+A", "Ctrl+Shift+A", "Strg+Shift+A"},
        // Read by one group only: the other one gets its display form.
        {"ctrl+shift+a", "ctrl+shift+a", "Strg+Shift+A"},
        {"Ctrl+Umsch+A", "Ctrl+Umsch+A", "Strg+Shift+A"},
        // Keys of the layouts' own names.
        {"Strg+ß", "Ctrl+[", "Strg+ß"},
        {"Ctrl+Num 1", "Ctrl+Num 1", "Strg+1 (Num)"},
    };
    for (const Case& c : cases) {
        const std::string file = table({"[General]", "Count=1", "[Hot Key1]",
                                        std::string("Hot Key=") + c.text, "Action=Kopieren"});
        const auto keyText = [](const TranslationResult& r) {
            const std::string text = decodeText(r.bytes).text;
            const size_t at = text.find("Hot Key=") + 8;
            return text.substr(at, text.find('\r', at) - at);
        };
        EXPECT_EQ(keyText(translate(file, "English")), c.english) << c.text;
        EXPECT_EQ(keyText(translate(file, "German")), c.german) << c.text;
    }
}

// Every kind of row with key texts in every spelling the program writes or reads for the file's
// language, as hot key and as simulated combination: translated to the other language and back,
// the file is the same. (A text only the other language reads cannot stay, since it would not
// work in the translated file; it becomes the target's own text, as the table above shows.)
TEST(HotKeyTranslation, ThereAndBackGivesTheOriginalForEveryKeyText) {
    // Read in both languages: the capture form in any letter case and order, and texts whose
    // words both groups share.
    const std::vector<std::string> both = {
        "Strg+Umsch+Z",   "Strg+Umsch+BildAuf", "Umsch+Strg+Z", "strg+umsch+z", "^Z",
        "Win+Umsch+Pos1", "Strg+Umsch+Entf",    "F12",          "Alt+Tab",      "Strg+Umsch+Ende",
    };
    // As the program writes them for German and for English keyboard layouts.
    const std::vector<std::string> germanOnly = {
        "Strg+Shift+Z", "Strg+Shift+BildAuf",
        "Win+Pos1",     "Alt+Ende",
        "Strg+Einfg",   "Shift+Entf",
        "Strg+Links",   "Alt+Auf",
        "Strg+Alt+Ab",  "Strg+ß",
        "Strg+1 (Num)", "Strg+Tab",
        "Eingabe",      "Win+Strg+Shift+Alt+F1",
        "strg+shift+z", "Strg+Leertaste",
    };
    const std::vector<std::string> englishOnly = {
        "Ctrl+Shift+Z",
        "Ctrl+Shift+PgUp",
        "Win+Home",
        "Alt+End",
        "Ctrl+Ins",
        "Shift+Del",
        "Ctrl+Left",
        "Alt+Up",
        "Ctrl+Alt+Down",
        "Ctrl+[",
        "Ctrl+Num 1",
        "Ctrl+Tab",
        "Win+Ctrl+Shift+Alt+F1",
    };
    for (const bool fromGerman : {true, false}) {
        std::vector<std::string> keyTexts = both;
        for (const std::string& key : fromGerman ? germanOnly : englishOnly)
            keyTexts.push_back(key);
        std::vector<std::string> lines;
        for (const Pair& row : everyKind()) {
            if (row.german == "[General]") break;
            lines.push_back(fromGerman ? row.german : row.english);
        }
        size_t n = 25;
        for (const std::string& key : keyTexts) {
            lines.push_back("[Hot Key" + std::to_string(++n) + "]");
            lines.push_back("Hot Key=" + key);
            lines.push_back(fromGerman ? "Action=Kopieren" : "Action=Copy");
            lines.push_back("[Hot Key" + std::to_string(++n) + "]");
            lines.push_back("Hot Key=Alt+F" + std::to_string(n % 24 + 1));
            lines.push_back(fromGerman ? "Action=Tastenkombination simulieren"
                                       : "Action=Simulate key combination");
            lines.push_back("KeyComb=" + key);
        }
        lines.push_back("[General]");
        lines.push_back("Count=" + std::to_string(n));
        const std::string file = table(lines);
        const char* there = fromGerman ? "English" : "German";
        const TranslationResult out = translate(file, there);
        ASSERT_TRUE(out.ok) << out.error;
        EXPECT_TRUE(out.keptRows.empty()) << out.keptRows.front();
        const TranslationResult back =
            translate(out.bytes, std::string_view(there) == "English" ? "German" : "English");
        ASSERT_TRUE(back.ok) << back.error;
        // Line by line, so that a failure names the key text.
        const auto linesOf = [](const std::string& bytes) {
            std::vector<std::string> out;
            std::string text = decodeText(bytes).text;
            for (size_t at = 0, end; at < text.size(); at = end + 2) {
                end = text.find("\r\n", at);
                if (end == std::string::npos) end = text.size();
                out.push_back(text.substr(at, end - at));
            }
            return out;
        };
        const std::vector<std::string> want = linesOf(file), got = linesOf(back.bytes);
        ASSERT_EQ(got.size(), want.size()) << "there: " << there;
        for (size_t i = 0; i < want.size(); ++i)
            EXPECT_EQ(got[i], want[i]) << "there: " << there << ", via: " << linesOf(out.bytes)[i];
    }
}

TEST(HotKeyTranslation, RowsThatCannotBeTranslatedAreKeptWholeAndNamed) {
    const std::vector<std::string> lines = {
        "[General]",
        "Count=5",
        "[Hot Key1]",
        "Hot Key=Strg+F1",
        "Action=Zaubern",
        "Stärke=9",
        "[Hot Key2]",
        "Hot Key=Strg+A+B",
        "Action=Kopieren",
        "[Hot Key3]",
        "Hot Key=Strg+F3",
        "Action=Browser steuern",
        "BrowserControl=Seitwärts",
        "[Hot Key4]",
        "Hot Key=Strg+F4",
        "Action=Audio/Video-Wiedergabe steuern",
        "AudioVideo=Vorwärtz",
        "[Hot Key5]",
        "Hot Key=Strg+F5",
        "Action=Kopieren",
    };
    std::vector<std::string> expected = lines;
    expected[lines.size() - 2] = "Hot Key=Ctrl+F5";
    expected[lines.size() - 1] = "Action=Copy";

    const TranslationResult r = translate(table(lines), "English");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.bytes, table(expected));
    EXPECT_EQ(r.keptRows, (std::vector<std::string>{
                              "Hot Key1: action \"Zaubern\" names no action of any language",
                              "Hot Key2: key text \"Strg+A+B\" names no key combination",
                              "Hot Key3: BrowserControl \"Seitwärts\" names no command",
                              "Hot Key4: AudioVideo \"Vorwärtz\" names no command",
                          }));
}

TEST(HotKeyTranslation, OnlyValuesChange) {
    // Comments, blank and stray lines, blanks around "=", letter case of keys, LF line ends,
    // sections the reader does not use (beyond Count, a second section of one name) stay.
    const std::string de =
        "; Tabelle von Hand\n"
        "[General]\n"
        "Count = 2\n"
        "\n"
        "[hot key1]\n"
        "  ACTION =  Kopieren  \n"
        "hot key\t= Strg+F1\n"
        "eine Zeile ohne Gleichheitszeichen\n"
        "Action=Einfügen\n"
        "[Hot Key2]\n"
        "; Action=Kopieren\n"
        "Hot Key=Strg+F2\n"
        "Action=Webseite\n"
        "HowToOpen=Maximiert\n"
        "[Hot Key1]\n"
        "Action=Kopieren\n"
        "[Hot Key3]\n"
        "Hot Key=Strg+F3\n"
        "Action=Kopieren";
    const std::string en =
        "; Tabelle von Hand\n"
        "[General]\n"
        "Count = 2\n"
        "\n"
        "[hot key1]\n"
        "  ACTION =  Copy  \n"
        "hot key\t= Ctrl+F1\n"
        "eine Zeile ohne Gleichheitszeichen\n"
        "Action=Einfügen\n"
        "[Hot Key2]\n"
        "; Action=Kopieren\n"
        "Hot Key=Ctrl+F2\n"
        "Action=Website\n"
        "HowToOpen=Maximized\n"
        "[Hot Key1]\n"
        "Action=Kopieren\n"
        "[Hot Key3]\n"
        "Hot Key=Strg+F3\n"
        "Action=Kopieren";
    const std::string deBytes = encodeText(de, TextEncoding::Windows1252);
    const TranslationResult toEnglish = translate(deBytes, "English");
    ASSERT_TRUE(toEnglish.ok);
    EXPECT_EQ(toEnglish.bytes, encodeText(en, TextEncoding::Windows1252));
    EXPECT_EQ(translate(toEnglish.bytes, "German").bytes, deBytes);
}

TEST(HotKeyTranslation, TheFileKeepsItsEncoding) {
    const std::vector<std::string> german = {"[General]",
                                             "Count=1",
                                             "[Hot Key1]",
                                             "Hot Key=Strg+Ö",
                                             "Action=Text einfügen",
                                             "Text1=<~NoFo~>Grüße €",
                                             "Count=1"};
    for (TextEncoding encoding : {TextEncoding::Windows1252, TextEncoding::Utf8Bom,
                                  TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        const std::string de = table(german, encoding);
        const TranslationResult toEnglish = translate(de, "English");
        ASSERT_TRUE(toEnglish.ok) << toEnglish.error;
        EXPECT_EQ(detectEncoding(toEnglish.bytes), encoding);
        EXPECT_NE(decodeText(toEnglish.bytes).text.find("Action=Insert text\r\n"),
                  std::string::npos);
        EXPECT_EQ(translate(toEnglish.bytes, "German").bytes, de);
    }
}

TEST(HotKeyTranslation, RefusesWhatItCannotRewriteWithoutLoss) {
    // Bytes a UTF-8 file with a mark cannot decode would not survive a rewrite.
    const std::string broken =
        "\xEF\xBB\xBF[General]\r\nCount=1\r\n[Hot Key1]\r\nAction=Kopieren"
        "\r\nHot Key=Strg+F1\r\nText1=\xC3\x28\r\n";
    const TranslationResult r = translate(broken, "English");
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.bytes.empty());
    EXPECT_FALSE(translate(table({"[General]", "Count=0"}), "Klingonisch").ok);
    // Nothing to translate: the bytes as they were, also odd ones of Windows-1252.
    const std::string odd = "[General]\r\nCount=0\r\n\x81\x8D\r\n";
    EXPECT_EQ(translate(odd, "English").bytes, odd);
}

}  // namespace
}  // namespace vorbix
