#include "storage/HotKeyFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>

#include "core/TextUtil.h"
#include "storage/AtomicFile.h"
#include "storage/IniFile.h"
#include "tests/support/TestTexts.h"

namespace vorbix {
namespace {

namespace fs = std::filesystem;

LanguageTexts germanTexts() {
    return testing::germanTestTexts();
}

LanguageTexts englishTexts() {
    LanguageTexts t = germanTexts();
    t.language = "English";
    for (int i = 0; i < kActionKindCount; ++i) t.actionCaptions[i] = "Action " + std::to_string(i);
    t.sNewText = "<Enter text>";
    return t;
}

constexpr std::string_view kDefaultDevice = "default-sink";

class HotKeyFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ =
            fs::path(::testing::TempDir()) /
            ("hkv-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    void write(const std::string& name, std::string_view bytes) const {
        ASSERT_TRUE(writeFileAtomically(path(name), bytes));
    }
    std::string read(const std::string& name) const {
        return readWholeFile(path(name)).value_or("<missing>");
    }
    // Loads a file whose text is given in UTF-8 and stored, as the Windows version stores it, in
    // Windows-1252.
    HotKeyTable load(std::string_view text, const LanguageTexts& texts = germanTexts()) const {
        HotKeyTable table;
        loadHotKeysFromBytes(encodeText(text, TextEncoding::Windows1252), table, texts,
                             kDefaultDevice);
        return table;
    }

    fs::path dir_;
    LanguageTexts de_ = germanTexts();
};

HotKeyEntry row(ActionKind kind, std::string key, const LanguageTexts& texts) {
    return makeNewRow(kind, std::move(key), texts, kDefaultDevice);
}

TEST_F(HotKeyFileTest, EveryKindSurvivesSaveAndLoad) {
    HotKeyTable table;
    for (const ActionInfo& info : actionCatalogue()) {
        HotKeyEntry r =
            row(info.kind, "Strg+Alt+F" + std::to_string(toIndex(info.kind) % 24 + 1), de_);
        switch (info.kind) {
            case ActionKind::HideWindows:
                r.Window = "Editor|Rechner|";
                r.PropertiesText = "Editor|Rechner";
                break;
            case ActionKind::OpenProgramDir:
                r.Program = "/usr/bin/xterm<~F~>";
                r.Parameter = "-e top";
                r.HowToOpen = "Maximiert";
                r.PropertiesText = "/usr/bin/xterm -e top | Maximiert";
                break;
            case ActionKind::Website:
                r.URL = "https://example.org/?a=1&b=2";
                r.PropertiesText = "https://example.org/?a=1&b=2 | Normal";
                break;
            case ActionKind::InsertText:
                r.Text = "<~NoFo~>" + std::string(130, 'x') + "<~Spa~>Grüße";
                r.PropertiesText = std::string(130, 'x') + " Grüße";
                break;
            case ActionKind::AdjustVolume:
                r.PropertiesText = "+10 %";
                r.DeviceId = "alsa_output.pci-0000_00_1b.0.analog-stereo";
                break;
            default:
                if (hasProperties(info.kind) && info.kind != ActionKind::ShowWindows) {
                    r.PropertiesText = "Wert " + std::to_string(toIndex(info.kind));
                }
        }
        ASSERT_TRUE(table.append(r));
    }
    ASSERT_TRUE(table.append(row(ActionKind::Copy, "Win+C", englishTexts())));  // other language

    ASSERT_TRUE(SaveHotKeys(path("all.hkv"), table, de_, kDefaultDevice));
    HotKeyTable loaded;
    const LoadResult result = LoadHotKeys(path("all.hkv"), loaded, de_, kDefaultDevice);
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.rowsLoaded, table.size());
    EXPECT_EQ(result.rowsLeftOut, 0u);
    ASSERT_EQ(loaded.size(), table.size());
    for (size_t i = 0; i < table.size(); ++i) {
        HotKeyEntry expected = table.at(i);
        // A show row without keywords reads back with the hide placeholder, as both kinds do.
        if (de_.kindOf(expected.ActionText) == ActionKind::ShowWindows) {
            expected.PropertiesText = de_.sNewHide;
        }
        // A row of a caption no language knows keeps its section as read.
        if (!de_.kindOf(expected.ActionText)) {
            expected.KeptSection = {{"Hot Key", expected.HotKeyText},
                                    {"Action", expected.ActionText}};
        }
        EXPECT_EQ(loaded.at(i), expected) << "row " << i << " " << table.at(i).ActionText;
    }
    // A file this writer made is already in normalised form and is not rewritten.
    EXPECT_TRUE(result.writeBack.ok);
    const std::string bytes = read("all.hkv");
    EXPECT_EQ(normalizedHotKeyFile(bytes), bytes);
}

TEST_F(HotKeyFileTest, WriterLayoutIsTheFileFormatByteForByte) {
    HotKeyTable empty;
    EXPECT_EQ(hotKeyFileText(empty, de_, kDefaultDevice), kEmptyHotKeyFile);

    HotKeyTable table;
    ASSERT_TRUE(table.append(row(ActionKind::Copy, "Strg+C", de_)));
    ASSERT_TRUE(table.append(row(ActionKind::OpenProgramDir, "Win+P", de_)));
    ASSERT_TRUE(table.append(row(ActionKind::ShowWindows, "Win+S", de_)));
    ASSERT_TRUE(table.append(row(ActionKind::AdjustVolume, "Win+V", de_)));
    HotKeyEntry drive = row(ActionKind::OpenCloseDrive, "Win+D", de_);
    drive.PropertiesText.clear();  // an empty value stores the placeholder
    ASSERT_TRUE(table.append(drive));
    HotKeyEntry foreign = row(ActionKind::Website, "Win+W", englishTexts());
    foreign.URL = "http://x";  // fields of an unknown caption are never written
    ASSERT_TRUE(table.append(foreign));
    EXPECT_EQ(hotKeyFileText(table, de_, kDefaultDevice),
              "[Hot Key1]\r\nHot Key=Strg+C\r\nAction=Kopieren\r\n"
              "[Hot Key2]\r\nHot Key=Win+P\r\nAction=Benutzerdefiniertes Programm\r\n"
              "Program=<Programm wählen><~F~>\r\nParameter=\r\nHowToOpen=Normal\r\n"
              "[Hot Key3]\r\nHot Key=Win+S\r\nAction=Verstecke Fenster einblenden\r\n"
              "Window=<Fenster zeigen>\r\n"
              "[Hot Key4]\r\nHot Key=Win+V\r\nAction=Lautstärke regeln\r\n"
              "Volume=<Lautstärke wählen>\r\nSettings=default-sink\r\n"
              "[Hot Key5]\r\nHot Key=Win+D\r\nAction=DVD-Laufwerk öffnen/schließen\r\n"
              "OpenCloseDrives=<Laufwerk wählen>\r\n"
              "[Hot Key6]\r\nHot Key=Win+W\r\nAction=Action 21\r\n"
              "[General]\r\nCount=6\r\n");
}

TEST_F(HotKeyFileTest, InsertTextIsSplitIntoPiecesOfHundredCharacters) {
    // The keys after "Action": piece lengths in characters, and the count.
    auto pieces = [&](std::string text) {
        HotKeyTable table;
        HotKeyEntry r = row(ActionKind::InsertText, "F9", de_);
        r.Text = std::move(text);
        EXPECT_TRUE(table.append(r));
        std::string k;
        const IniFile ini = IniFile::parse(hotKeyFileText(table, de_, kDefaultDevice));
        for (const IniFile::Line& l : ini.sections().front().lines) {
            if (l.key.starts_with("Text"))
                k += l.key + ":" + std::to_string(utf8Length(l.value)) + " ";
            if (l.key == "Count") k += "Count=" + l.value;
        }
        return k;
    };
    EXPECT_EQ(pieces(std::string(250, 'a')), "Text1:100 Text2:100 Text3:50 Count=3");
    EXPECT_EQ(pieces(std::string(200, 'a')), "Text1:100 Text2:100 Count=2");
    EXPECT_EQ(pieces(std::string(100, 'a')), "Text1:100 Count=1");
    EXPECT_EQ(pieces(""), "Count=0");
    // Counted in characters: 150 umlauts give 100 + 50, and no character is cut.
    std::string umlauts;
    for (int i = 0; i < 150; ++i) umlauts += "ä";
    EXPECT_EQ(pieces(umlauts), "Text1:100 Text2:50 Count=2");
}

TEST_F(HotKeyFileTest, ReaderFillsRowsAsTheKindsPrescribe) {
    const HotKeyTable t = load(
        "[General]\r\nCount=0x0C\r\n"
        "[Hot Key1]\r\nHot Key=A\r\nAction=Benutzerdefiniertes Programm\r\n"
        "Program=C:\\x.exe<~F~>\r\nParameter=\r\nHowToOpen=Normal\r\n"
        "[Hot Key2]\r\nAction=Benutzerdefiniertes "
        "Programm\r\nProgram=abcd\r\nHowToOpen=Minimiert\r\n"
        "[Hot Key3]\r\nAction=Benutzerdefiniertes Programm\r\nProgram=abcde\r\nParameter=p\r\n"
        "HowToOpen=Normal\r\n"
        "[Hot Key4]\r\nAction=Bestimmte Fenster verstecken\r\nWindow=Editor|\r\n"
        "[Hot Key5]\r\nAction=Bestimmte Fenster verstecken\r\nWindow=Editor\r\n"
        "[Hot Key6]\r\nAction=Bestimmte Fenster verstecken\r\n"
        "[Hot Key7]\r\nAction=Lautstärke regeln\r\nVolume=-5 %\r\n"
        "[Hot Key8]\r\nAction=Lautstärke regeln\r\nVolume=\r\nSettings=x\r\n"
        "[Hot Key9]\r\nAction=Webseite\r\nHowToOpen=Normal\r\n"
        "[Hot Key10]\r\nAction=Im Internet suchen\r\nProvider=\r\n"
        "[hot key11]\r\nACTION=Kopieren\r\nHOT KEY=Strg+C\r\nhot key=ignored\r\n");
    ASSERT_EQ(t.size(), 12u);
    EXPECT_EQ(t.at(0).Program, "C:\\x.exe<~F~>");
    EXPECT_EQ(t.at(0).PropertiesText, "C:\\x.exe | Normal");
    // Values without a marker (written by hand) stay whole, whatever their length.
    EXPECT_EQ(t.at(1).Program, "abcd");
    EXPECT_EQ(t.at(1).PropertiesText, "abcd | Minimiert");
    EXPECT_EQ(t.at(2).Program, "abcde");
    EXPECT_EQ(t.at(2).Parameter, "p");
    EXPECT_EQ(t.at(2).PropertiesText, "abcde p | Normal");
    EXPECT_EQ(t.at(3).PropertiesText, "Editor");
    EXPECT_EQ(t.at(4).Window, "Editor");
    EXPECT_EQ(t.at(4).PropertiesText, "<Fenster verstecken>");
    EXPECT_EQ(t.at(5).Window, "");
    EXPECT_EQ(t.at(5).PropertiesText, "<Fenster verstecken>");
    EXPECT_EQ(t.at(6).PropertiesText, "-5 %");
    EXPECT_EQ(t.at(6).DeviceId, kDefaultDevice);  // missing Settings
    EXPECT_EQ(t.at(7).PropertiesText, "<Lautstärke wählen>");
    EXPECT_EQ(t.at(7).DeviceId, kDefaultDevice);
    EXPECT_EQ(t.at(8).URL, "");
    EXPECT_EQ(t.at(8).PropertiesText, "<Webseite wählen> | Normal");
    EXPECT_EQ(t.at(9).PropertiesText, "<Anbieter wählen>");
    EXPECT_EQ(t.at(10).HotKeyText, "Strg+C");  // names match in any case, first key counts
    EXPECT_EQ(t.at(11), HotKeyEntry{});        // counted but missing: an empty row
}

TEST_F(HotKeyFileTest, ReaderJoinsInsertTextAndSurvivesBrokenCounts) {
    const std::string head = "[General]\r\nCount=1\r\n[Hot Key1]\r\nAction=Text einfügen\r\n";
    HotKeyTable t =
        load(head + "Text1=<~NoFo~>Hallo<~Spa~>\r\nText2=  Welt<~Re~>  \r\nCount=2\r\n");
    EXPECT_EQ(t.at(0).Text, "<~NoFo~>Hallo<~Spa~>Welt<~Re~>");  // pieces lose their blanks
    EXPECT_EQ(t.at(0).PropertiesText, "Hallo Welt ");           // the line break shows as a space

    // A formatted text shows the plain text of its document.
    t = load(
        head +
        "Text1=<~Form~>{\\rtf1\\ansi{\\b Fett}<~Spa~>und\r\nText2=<~Spa~>normal}\r\nCount=2\r\n");
    EXPECT_EQ(t.at(0).PropertiesText, "Fett und normal");

    t = load(head + "Text1=<~NoFo~>a\r\nText2=b\r\nText3=c\r\nCount=2\r\n");
    EXPECT_EQ(t.at(0).Text, "<~NoFo~>ab");  // only pieces up to Count

    // Pieces out of order are joined by their numbers; of a number given twice the first counts.
    t = load(head + "Text3=c\r\nText2=b\r\nText1=<~NoFo~>a\r\nText2=x\r\nCount=3\r\n");
    EXPECT_EQ(t.at(0).Text, "<~NoFo~>abc");

    t = load(head + "Text2=<~NoFo~>b\r\nCount=2\r\n");
    EXPECT_EQ(t.at(0).Text, "<~Form~>");  // no Text1: not set
    EXPECT_EQ(t.at(0).PropertiesText, "<Text eingeben>");

    // A count that cannot say how many pieces there are: the pieces present up to the first
    // missing one are the text.
    for (const char* count : {"Count=zwei", "Count=-3", "Count=", "Count=99999999999", "Nix=1"}) {
        t = load(head + "Text1=<~NoFo~>a\r\nText2=b\r\nText4=d\r\n" + count + "\r\n");
        EXPECT_EQ(t.at(0).Text, "<~NoFo~>ab") << count;
        EXPECT_EQ(t.at(0).PropertiesText, "ab") << count;
    }
    // A huge count joins what is there and costs nothing.
    t = load(head + "Text1=<~NoFo~>a\r\nText010=x\r\nText2=b\r\nCount=2147483647\r\n");
    EXPECT_EQ(t.at(0).Text, "<~NoFo~>ab");
}

TEST_F(HotKeyFileTest, DeferredDigestsGiveWhatTheReaderGivesAtOnce) {
    const std::string file =
        "[General]\r\nCount=3\r\n[Hot Key1]\r\nAction=Text einfügen\r\n"
        "Text1=<~Form~>{\\rtf1\\ansi{\\b Fett}<~Spa~>und}\r\nCount=1\r\n"
        "[Hot Key2]\r\nAction=Text einfügen\r\nText1=<~Form~>\r\nCount=1\r\n"
        "[Hot Key3]\r\nAction=Kopieren\r\n";
    write("t.hkv", encodeText(file, TextEncoding::Windows1252));
    HotKeyTable now, later;
    ASSERT_TRUE(LoadHotKeys(path("t.hkv"), now, de_, kDefaultDevice, {.writeBack = false}));
    ASSERT_TRUE(LoadHotKeys(path("t.hkv"), later, de_, kDefaultDevice,
                            {.writeBack = false, .deferTextDigests = true}));
    for (size_t i = 0; i < 3; ++i) {
        const bool text = i < 2;
        EXPECT_FALSE(now.at(i).TextDigestPending);
        EXPECT_EQ(later.at(i).TextDigestPending, text) << i;
        if (text) {
            EXPECT_EQ(later.at(i).PropertiesText, "");
        }
        completeTextDigest(later.at(i), de_);
        EXPECT_EQ(later.at(i), now.at(i)) << i;
    }
    EXPECT_EQ(now.at(0).PropertiesText, "Fett und");
    EXPECT_EQ(now.at(1).PropertiesText, de_.sNewText);
    // What is saved does not depend on the digests.
    EXPECT_EQ(hotKeyFileText(later, de_, kDefaultDevice), hotKeyFileText(now, de_, kDefaultDevice));
}

TEST_F(HotKeyFileTest, BytesReadBeforeAreLoadedAndWrittenBackLikeTheFile) {
    // Not in normalised form (a comment, spaces): loading writes the file back.
    const std::string file =
        "; kept by nobody\r\n[General]\r\nCount=2\r\n[Hot Key1]\r\nHot Key = Strg+F5\r\n"
        "Action=Kopieren\r\n[Hot Key2]\r\nHot Key=Strg+F6\r\nAction=Einfügen\r\n";
    const std::string bytes = encodeText(file, TextEncoding::Windows1252);
    write("read.hkv", bytes);
    write("given.hkv", bytes);
    HotKeyTable fromPath, fromBytes;
    const LoadResult r = LoadHotKeys(path("read.hkv"), fromPath, de_, kDefaultDevice, {});
    const LoadResult g =
        LoadHotKeys(path("given.hkv"), fromBytes, de_, kDefaultDevice, {.bytes = &bytes});
    ASSERT_TRUE(r.ok);
    ASSERT_TRUE(g.ok);
    ASSERT_EQ(fromBytes.size(), 2u);
    for (size_t i = 0; i < 2; ++i) EXPECT_EQ(fromBytes.at(i), fromPath.at(i)) << i;
    EXPECT_EQ(read("given.hkv"), read("read.hkv"));
    EXPECT_NE(read("given.hkv"), bytes);
    // The given bytes are what counts, not what the path holds now.
    write("other.hkv", "[General]\r\nCount=0\r\n");
    HotKeyTable other;
    ASSERT_TRUE(LoadHotKeys(path("other.hkv"), other, de_, kDefaultDevice,
                            {.writeBack = false, .bytes = &bytes}));
    EXPECT_EQ(other.size(), 2u);
}

TEST_F(HotKeyFileTest, MissingOrBrokenGeneralSectionMeansNoRows) {
    for (std::string_view bytes :
         {"", "[Hot Key1]\r\nAction=Kopieren\r\n", "[General]\r\nCount=abc\r\n",
          "[General]\r\nCount=-1\r\n", "\xFF\xFE", "\xFE\xFF\x00", "\xEF\xBB\xBF\xFF[",
          "Count=3\r\n[General]\r\n"}) {
        HotKeyTable t;
        const LoadResult r = loadHotKeysFromBytes(bytes, t, de_, kDefaultDevice);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(t.size(), 0u) << bytes;
    }
}

TEST_F(HotKeyFileTest, TableTakesAtMostItsCapacity) {
    HotKeyTable big;
    for (int i = 0; i < 256; ++i) ASSERT_TRUE(big.append(row(ActionKind::Copy, "F1", de_)));
    std::string text = hotKeyFileText(big, de_, kDefaultDevice);
    for (int i = 257; i <= 300; ++i)
        text += "[Hot Key" + std::to_string(i) + "]\r\nAction=Kopieren\r\n";
    text = replaceAll(text, "Count=256", "Count=300");

    HotKeyTable t;
    LoadResult r = loadHotKeysFromBytes(text, t, de_, kDefaultDevice);
    EXPECT_EQ(t.size(), 256u);
    EXPECT_EQ(r.rowsLoaded, 256u);
    EXPECT_EQ(r.rowsLeftOut, 44u);

    HotKeyTable partly;
    for (int i = 0; i < 250; ++i) ASSERT_TRUE(partly.append(HotKeyEntry{}));
    r = loadHotKeysFromBytes(text, partly, de_, kDefaultDevice);
    EXPECT_EQ(partly.size(), 256u);
    EXPECT_EQ(r.rowsLoaded, 6u);
    EXPECT_EQ(r.rowsLeftOut, 294u);

    HotKeyTable huge;
    r = loadHotKeysFromBytes("[General]\r\nCount=2147483647\r\n", huge, de_, kDefaultDevice);
    EXPECT_EQ(huge.size(), 256u);
    EXPECT_EQ(r.rowsLeftOut, 2147483647u - 256u);
}

TEST_F(HotKeyFileTest, EncodingsAreKeptAndNothingIsLost) {
    HotKeyTable table;
    HotKeyEntry r = row(ActionKind::InsertDateTime, "Strg+Ä", de_);
    r.PropertiesText = "Größe €";
    ASSERT_TRUE(table.append(r));
    const std::string text = hotKeyFileText(table, de_, kDefaultDevice);

    // Everything fits Windows-1252: exactly the bytes of that code page, no mark.
    ASSERT_TRUE(SaveHotKeys(path("cp.hkv"), table, de_, kDefaultDevice));
    EXPECT_EQ(read("cp.hkv"), encodeText(text, TextEncoding::Windows1252));
    EXPECT_NE(read("cp.hkv").find("Gr\xF6\xDF"
                                  "e \x80"),
              std::string::npos);

    // A character outside it switches the whole file to UTF-8 with a mark.
    table.at(0).PropertiesText = "Ω-Format";
    ASSERT_TRUE(SaveHotKeys(path("omega.hkv"), table, de_, kDefaultDevice));
    EXPECT_EQ(read("omega.hkv").substr(0, 3), "\xEF\xBB\xBF");
    HotKeyTable back;
    const LoadResult loaded = LoadHotKeys(path("omega.hkv"), back, de_, kDefaultDevice);
    EXPECT_EQ(loaded.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(back.at(0).PropertiesText, "Ω-Format");
    EXPECT_EQ(back.at(0).HotKeyText, "Strg+Ä");

    // A UTF-16 file is written back, and saved over, as UTF-16.
    write("u16.hkv", encodeText("; made elsewhere\r\n[General]\r\n Count = 1 \r\n[Hot Key1]\r\n"
                                "Action=Datum/Zeit einfügen\r\nDateTime=dd.MM.yyyy\r\n",
                                TextEncoding::Utf16LE));
    HotKeyTable u16;
    const LoadResult u16Result = LoadHotKeys(path("u16.hkv"), u16, de_, kDefaultDevice);
    EXPECT_EQ(u16Result.encoding, TextEncoding::Utf16LE);
    EXPECT_EQ(u16.at(0).PropertiesText, "dd.MM.yyyy");
    EXPECT_EQ(read("u16.hkv"), encodeText("[General]\r\nCount=1\r\n[Hot Key1]\r\n"
                                          "Action=Datum/Zeit einfügen\r\nDateTime=dd.MM.yyyy\r\n",
                                          TextEncoding::Utf16LE));
    ASSERT_TRUE(SaveHotKeys(path("u16.hkv"), table, de_, kDefaultDevice));
    EXPECT_EQ(read("u16.hkv"),
              encodeText(hotKeyFileText(table, de_, kDefaultDevice), TextEncoding::Utf16LE));
}

TEST_F(HotKeyFileTest, WriteBackNormalisesOnlyWhenAskedAndNeeded) {
    const std::string messy =
        "stray line\r\n[General]\n  Count = 1\n; comment\n\n[ Hot Key1 ]\nHot Key= Win+M \n"
        "Action=Alles minimieren\nno value here\nExtra=kept\n";
    const std::string clean =
        "[General]\r\nCount=1\r\n[Hot Key1]\r\nHot Key=Win+M\r\nAction=Alles minimieren\r\n"
        "Extra=kept\r\n";
    EXPECT_EQ(normalizedHotKeyFile(messy), clean);

    write("m.hkv", messy);
    HotKeyTable t;
    LoadResult r = LoadHotKeys(path("m.hkv"), t, de_, kDefaultDevice, {.writeBack = false});
    EXPECT_EQ(read("m.hkv"), messy);
    r = LoadHotKeys(path("m.hkv"), t, de_, kDefaultDevice);
    EXPECT_TRUE(r.writeBack.ok);
    EXPECT_EQ(read("m.hkv"), clean);
    EXPECT_EQ(t.size(), 2u);  // loading appends

    // Malformed UTF-8 after a mark is read as replacement characters but never written back.
    const std::string malformed = "\xEF\xBB\xBF[General]\nCount=0\n[X]\nK=\xE4\xFC\n";
    write("bad.hkv", malformed);
    r = LoadHotKeys(path("bad.hkv"), t, de_, kDefaultDevice);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(read("bad.hkv"), malformed);
}

TEST_F(HotKeyFileTest, FailedReadsAndWritesLoseNothing) {
    HotKeyTable t;
    LoadResult r = LoadHotKeys(path("absent.hkv"), t, de_, kDefaultDevice);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.missing);
    EXPECT_FALSE(fileExists(path("absent.hkv")));  // nothing created

    fs::create_directory(path("folder.hkv"));
    r = LoadHotKeys(path("folder.hkv"), t, de_, kDefaultDevice);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("folder.hkv"), std::string::npos);
    EXPECT_TRUE(directoryExists(path("folder.hkv")));

    HotKeyTable table;
    HotKeyEntry text = row(ActionKind::InsertText, "F2", de_);
    text.Text = "<~NoFo~>" + std::string(20000, 'z');
    ASSERT_TRUE(table.append(text));
    const FileResult noFolder = SaveHotKeys(path("no/such/x.hkv"), table, de_, kDefaultDevice);
    EXPECT_FALSE(noFolder.ok);
    EXPECT_NE(noFolder.error.find("x.hkv"), std::string::npos);

    // A write that fails half-way (the file size limit stops it) keeps the previous file whole
    // and leaves no temporary file behind.
    write("keep.hkv", kEmptyHotKeyFile);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const FileResult tooBig = SaveHotKeys(path("keep.hkv"), table, de_, kDefaultDevice);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(tooBig.ok);
    EXPECT_FALSE(tooBig.error.empty());
    EXPECT_EQ(read("keep.hkv"), kEmptyHotKeyFile);
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(dir_)) files += entry.is_regular_file();
    EXPECT_EQ(files, 1u);

    // A named pipe as the target neither blocks the save nor the load, and stays a pipe.
    ASSERT_EQ(::mkfifo(path("pipe.hkv").c_str(), 0600), 0);
    const FileResult toPipe = SaveHotKeys(path("pipe.hkv"), table, de_, kDefaultDevice);
    EXPECT_FALSE(toPipe.ok);
    EXPECT_NE(toPipe.error.find("not a regular file"), std::string::npos);
    r = LoadHotKeys(path("pipe.hkv"), t, de_, kDefaultDevice);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(fs::status(path("pipe.hkv")).type(), fs::file_type::fifo);
}

}  // namespace
}  // namespace vorbix
