// The values of the program/folder, date/time, hide/show and volume editors, where their rules go
// beyond moving a value between a row and a control: markers, mode words and placeholders of
// either language, the path question, date formats, keyword rules, deleting and dragging
// entries, the rows offered for a take-over, and the device a volume row means.
#include <gtest/gtest.h>

#include "core/VolumeAction.h"
#include "editors/AdjustVolumeModel.h"
#include "editors/DateTimeModel.h"
#include "editors/HideShowModel.h"
#include "editors/OpenProgDirModel.h"
#include "platform/fake/FakeAudioVolume.h"
#include "storage/ActionEffects.h"

namespace vorbix {
namespace {

using Items = std::vector<std::string>;
using Marks = std::vector<bool>;

LanguageTexts words(const char* language, std::array<const char*, 6> captions,
                    std::array<const char*, 5> placeholders, const char* max, const char* min) {
    LanguageTexts t;
    t.language = language;
    for (int i = 0; i < 6; ++i)
        t.actionCaptions[size_t(std::array{2, 3, 4, 11, 17, 5}[size_t(i)])] = captions[size_t(i)];
    t.sNewProgramDir = placeholders[0];
    t.sNewVolume = placeholders[1];
    t.sNewDateTime = placeholders[2];
    t.sNewHide = placeholders[3];
    t.sNewShow = placeholders[4];
    t.sMaximized = max;
    t.sMinimized = min;
    return t;
}

const LanguageTexts kGerman =
    words("German",
          {"Bestimmte Fenster verstecken", "Verstecke Fenster einblenden",
           "Benutzerdefiniertes Programm", "Lautstärke regeln", "Datum/Zeit einfügen", "Kopieren"},
          {"(Kein Programm/Verzeichnis gewählt)", "(Keine Lautstärkeänderung festgelegt)",
           "(Kein Format gewählt)", "(Keine Schlagwörter angegeben)",
           "(Keine Schlagwörter zum Einblenden angegeben)"},
          "Maximiert", "Minimiert");
const LanguageTexts kEnglish =
    words("English",
          {"Hide certain windows", "Show hidden windows", "Custom program", "Adjust volume",
           "Insert date/time", "Copy"},
          {"(No program or folder chosen)", "(No volume change set)", "(No format chosen)",
           "(No keywords given)", "(No keywords given for showing)"},
          "Maximized", "Minimized");

EditorTexts texts(const LanguageTexts& current) {
    static const LanguageCatalogue catalogue = [] {
        LanguageCatalogue c;
        c.add({kGerman, {}, {}, "Stumm/Laut"});
        c.add({kEnglish, {}, {}, "Mute/Unmute"});
        return c;
    }();
    return {current, &catalogue};
}

TEST(OpenProgDirModel, OnlyAMarkerAtTheEndCountsAndAFolderHasNoParameter) {
    using T = ProgDirTarget;
    using M = WindowModeEntry;
    struct Case {
        const char *program, *parameter, *howToOpen;
        T target;
        const char *path, *shownParameter;
        M mode;
    } cases[] = {
        {"/opt/a<~D~>b<~F~>", "-a", "Maximized", T::Program, "/opt/a<~D~>b", "-a", M::Maximized},
        {"/opt/<~D~>/x", "", "Minimiert", T::Program, "/opt/<~D~>/x", "", M::Minimized},
        {"/usr/bin/xterm", "", "maximiert", T::Program, "/usr/bin/xterm", "", M::Normal},
        {"~/Musik<~D~>", "stale", "Vollbild", T::Folder, "~/Musik", "", M::Normal},
        {"(No program or folder chosen)<~D~>", "", "", T::Folder, "", "", M::Normal},
        {"(Kein Programm/Verzeichnis gewählt)<~F~>", "", "Normal", T::Program, "", "", M::Normal},
        {"ab", "", "Normal", T::Program, "ab", "", M::Normal},
    };
    for (const LanguageTexts* current : {&kGerman, &kEnglish}) {
        for (const Case& c : cases) {
            OpenProgDirModel m;  // showed another row before
            m.target = T::Folder;
            m.parameter = "left over";
            m.mode = M::Minimized;
            HotKeyEntry row;
            row.Program = c.program;
            row.Parameter = c.parameter;
            row.HowToOpen = c.howToOpen;
            m.decode(row, texts(*current));
            EXPECT_EQ(m.target, c.target) << c.program;
            EXPECT_EQ(m.path, c.path) << c.program;
            EXPECT_EQ(m.parameter, c.shownParameter) << c.program;
            EXPECT_EQ(m.mode, c.mode) << c.program;
        }
    }
}

TEST(OpenProgDirModel, AsksOnlyForAPathTheLauncherCannotFind) {
    using Q = OpenProgDirModel::Question;
    struct Case {
        bool check, folder;
        const char* path;
        bool found;
        Q question;
    } cases[] = {
        {true, false, "/missing", false, Q::FileNotExists},
        {true, true, "/missing", false, Q::DirNotExists},
        {true, false, "xterm", true, Q::None},
        {true, true, "", false, Q::None},  // an empty path is never questioned
        {false, false, "/missing", false, Q::None},
    };
    for (const Case& c : cases) {
        OpenProgDirModel m;
        m.setTarget(c.folder ? ProgDirTarget::Folder : ProgDirTarget::Program);
        m.path = c.path;
        std::vector<std::pair<std::string, bool>> asked;
        EXPECT_EQ(m.question(c.check,
                             [&](const std::string& p, bool folder) {
                                 asked.emplace_back(p, folder);
                                 return c.found;
                             }),
                  c.question)
            << c.path;
        if (!asked.empty()) {
            EXPECT_EQ(asked.back(), std::make_pair(std::string(c.path), c.folder));
        }
    }
}

TEST(DateTimeModel, ReadsTheStoredFormatAndStoresWhatItShows) {
    struct Case {
        const char* stored;
        DateTimeKind kind;
        int time;
        const char* stores;
    } cases[] = {
        {"(No format chosen)", DateTimeKind::Date, 0, "DD.MM.YYYY"},  // either language's
        {"YYYY-MM-DD", DateTimeKind::Date, 0, "YYYY-MM-DD"},
        {" DD . MM . YYYY", DateTimeKind::Date, 0, "DD.MM.YYYY"},  // blanks skipped
        {"DD/MM-YYYY", DateTimeKind::Date, 0, "DD/MM/YYYY"},       // the first separator decides
        {"DD.XX", DateTimeKind::Date, 0, "DD.MM.YYYY"},  // no entry or missing: the default part
        {"yyyy-dd-mm", DateTimeKind::Date, 0, "DD-MM-YYYY"},
        {"DD.DD.DD.MM", DateTimeKind::Date, 0, "DD.DD.DD"},
        {"HH:MM", DateTimeKind::Date, 0, "DD.MM.YYYY"},  // a time begins in lower case
        {"hh:mm", DateTimeKind::Time, 1, "hh:mm"},
        {"hh.mm", DateTimeKind::Time, -1, "hh.mm"},  // no entry: kept, not emptied
    };
    for (const Case& c : cases) {
        DateTimeModel m;
        m.decode("mm:hh", texts(kGerman));  // another row's kept format may not remain
        m.decode(c.stored, texts(kGerman));
        EXPECT_EQ(m.kind, c.kind) << c.stored;
        EXPECT_EQ(m.time, c.time) << c.stored;
        EXPECT_EQ(m.format(), c.stores) << c.stored;
    }
    DateTimeModel m;
    m.decode("YYYY/MM/DD", texts(kGerman));
    m.setKind(DateTimeKind::Time);
    m.setKind(DateTimeKind::Date);
    EXPECT_EQ(m.format(), "YYYY.MM.DD") << "the separator starts over, the parts stay";
}

TEST(DateTimeModel, EveryStorableFormatInsertsWhatItShows) {
    std::tm t{};
    t.tm_year = 2026 - 1900, t.tm_mon = 11, t.tm_mday = 9, t.tm_hour = 7, t.tm_min = 5,
    t.tm_sec = 3;
    const char* values[] = {"09", "12", "2026"};
    DateTimeModel m;
    for (int i = 0; i < 81; ++i) {
        m.parts = {i % 3, i / 3 % 3, i / 9 % 3};
        m.separator = i / 27;
        const std::string s(1, m.separatorChar());
        EXPECT_EQ(formatDateTime(m.format(), t),
                  values[m.parts[0]] + s + values[m.parts[1]] + s + values[m.parts[2]])
            << m.format();
    }
    m.kind = DateTimeKind::Time;
    const char* times[] = {"07:05:03", "07:05", "05:03", "07", "05", "03"};
    for (m.time = 0; m.time < 6; ++m.time) EXPECT_EQ(formatDateTime(m.format(), t), times[m.time]);
}

TEST(HideShowModel, KeywordsAreReadStoredAndCheckedAsTyped) {
    struct Read {
        const char *window, *stored, *properties;
    } reads[] = {
        {"Editor|Größe|", "Editor|Größe|", "Editor|Größe"},
        {"a|b", "a|", "a"},                  // what follows the last "|" is no keyword
        {"|Editor||", "Editor|", "Editor"},  // an empty piece would match every title
        {"(Keine Schlagwörter zum Einblenden angegeben)", "", "(No keywords given)"},
    };
    for (const Read& r : reads) {
        HotKeyEntry row;
        row.ActionText = "Show hidden windows";
        row.Window = r.window;
        HideShowModel m;
        m.decode({row}, 0, texts(kGerman));
        EXPECT_TRUE(m.showVariant);
        m.encode(row, kEnglish);
        EXPECT_EQ(row.Window, r.stored) << r.window;
        EXPECT_EQ(row.PropertiesText, r.properties) << r.window;
    }
    const std::pair<const char*, KeywordCheck> typed[] = {
        {"abc", KeywordCheck::Added},           {"ab", KeywordCheck::TooShort},
        {"äö", KeywordCheck::TooShort},         {"äöü", KeywordCheck::Added},
        {"Vorbix", KeywordCheck::ProgramName},  {"vorbix", KeywordCheck::Added},
        {"Edi|tor", KeywordCheck::ContainsBar}, {"a|", KeywordCheck::TooShort},
    };
    for (const auto& [text, check] : typed) {
        HideShowModel m;
        EXPECT_EQ(m.add(text), check) << text;
        EXPECT_EQ(m.list.items.size(), check == KeywordCheck::Added ? 1u : 0u) << text;
    }
}

KeywordList listOf(Items items, Marks selected, int focused) {
    return {std::move(items), std::move(selected), focused};
}

TEST(HideShowModel, DeletingKeepsTheFocusInsideTheList) {
    struct Case {
        Items items;
        Marks selected;
        int focused;
        Items left;
        int focus;
    } cases[] = {
        {{"a", "b", "c"}, {0, 0, 1}, 2, {"a", "b"}, 1},  // the last: the one before
        {{"a"}, {1}, 0, {}, -1},
        {{"a", "b", "c", "d", "e"}, {1, 0, 1, 1, 0}, 3, {"b", "e"}, 1},  // the one after
        {{"a", "b", "c", "d"}, {0, 0, 1, 1}, 3, {"a", "b"}, 1},
        {{"a", "b", "c", "d", "e"}, {1, 1, 0, 0, 0}, 2, {"c", "d", "e"}, 0},  // not selected: kept
    };
    for (const Case& c : cases) {
        KeywordList l = listOf(c.items, c.selected, c.focused);
        deleteSelected(l);
        EXPECT_EQ(l.items, c.left);
        EXPECT_EQ(l.focused, c.focus);
        for (size_t i = 0; i < l.selected.size(); ++i) EXPECT_EQ(l.selected[i], int(i) == c.focus);
    }
}

TEST(HideShowModel, DraggingMovesTheSelectedEntriesLive) {
    struct Case {
        Items items;
        Marks selected;
        int focused, target;
        Items after;
        Marks selectedAfter;
        int focusAfter;
    } cases[] = {
        {{"a", "b", "c", "d"}, {1, 0, 0, 0}, 0, 2, {"b", "c", "a", "d"}, {0, 0, 1, 0}, 2},
        {{"a", "b", "c", "d"}, {0, 0, 0, 1}, 3, 0, {"d", "a", "b", "c"}, {1, 0, 0, 0}, 0},
        {{"a", "b", "c"}, {1, 0, 1}, 0, 2, {"a", "b", "c"}, {1, 0, 1}, 2},  // over a selected one
        {{"a", "b", "c", "d", "e"},
         {0, 1, 0, 1, 0},
         3,
         2,
         {"b", "a", "d", "c", "e"},
         {1, 0, 1, 0, 0},
         2},  // two keep their distance
        {{"a", "b", "c", "d"}, {1, 0, 1, 0}, 2, 3, {"b", "a", "d", "c"}, {0, 1, 0, 1}, 3},
        {{"a", "b", "c", "d"}, {1, 0, 1, 0}, 2, 1, {"a", "b", "c", "d"}, {1, 0, 1, 0}, 2},  // edge
        {{"a", "b"}, {1, 0}, -1, 1, {"a", "b"}, {1, 0}, -1},
    };
    for (const Case& c : cases) {
        KeywordList l = listOf(c.items, c.selected, c.focused);
        dragOver(l, c.target);
        EXPECT_EQ(l.items, c.after) << c.focused << " -> " << c.target;
        EXPECT_EQ(l.selected, c.selectedAfter) << c.focused << " -> " << c.target;
        EXPECT_EQ(l.focused, c.focusAfter) << c.focused << " -> " << c.target;
        const Items once = l.items;
        dragOver(l, c.target);
        EXPECT_EQ(l.items, once) << "a second step over the same entry moves nothing";
    }
}

TEST(HideShowModel, OffersTheOtherRowsEachWithItsOwnKeywords) {
    auto row = [](const char* key, const char* action, const char* window, const char* shown) {
        HotKeyEntry r;
        r.HotKeyText = key, r.ActionText = action, r.Window = window, r.PropertiesText = shown;
        return r;
    };
    const std::vector<HotKeyEntry> rows{
        row("F1", "Bestimmte Fenster verstecken", "Editor|", "Editor"),
        row("F2", "Kopieren", "", ""),
        row("F3", "Hide certain windows", "Mail|Chat|", "Mail|Chat"),
        row("F4", "Verstecke Fenster einblenden", "",
            "(Keine Schlagwörter zum Einblenden angegeben)"),
        row("F5", "Hide certain windows", "", "(Keine Schlagwörter angegeben)"),
        row("F3", "Verstecke Fenster einblenden", "Rechner|", "Rechner"),
    };
    HideShowModel m;
    m.decode(rows, 0, texts(kEnglish));
    ASSERT_EQ(m.offers.size(), 3u);
    EXPECT_EQ(m.offers[1].hotKeyText, "F4");  // a new show row: taking it over empties the list
    m.takeOver(2);
    EXPECT_EQ(m.list.items, Items{"Rechner"}) << "the row offered, not the first with its key";
    m.takeOver(0);
    EXPECT_EQ(m.list.items, (Items{"Mail", "Chat"})) << "replaced, not merged";
    m.decode(rows, 2, texts(kGerman));
    EXPECT_EQ(m.offers[0].hotKeyText, "F1") << "every row but the one edited";
}

TEST(AdjustVolumeModel, ShowsTheAmountAndTheDeviceTheHotKeyWouldChange) {
    std::vector<std::string> log;
    fake::FakeAudioVolume audio(log);
    audio.list = {
        {"Speakers", "alsa_output.speakers"}, {"Headset", "bluez.headset"}, {"HDMI", "hdmi"}};
    audio.defaultId = "bluez.headset";
    struct Case {
        const char *stored, *device;
        bool mute;
        int steps;
        const char *amount, *storedAfterOk;
        int shown;
    } cases[] = {
        {"+7%", "hdmi", false, 1, "+7%", "hdmi", 2},  // a short id naming a present device
        {"-35%", "alsa_output.speakers", false, -7, "-35%", "alsa_output.speakers", 0},
        {"+250%", "", false, 20, "+100%", "", 1},  // no id: the default device, the id kept
        {"Mute/Unmute", "{0.0.0.00000000}.{7a}", true, 0, "0%", "{0.0.0.00000000}.{7a}", 1},
        {"(No volume change set)", "usb_gone", false, 0, "0%", "usb_gone", 1},
        {"laut", "hdmi", false, 0, "0%", "hdmi", 2},
    };
    for (const Case& c : cases) {
        HotKeyEntry row;
        row.PropertiesText = c.stored;
        row.DeviceId = c.device;
        AdjustVolumeModel m;
        m.decode(row, texts(kGerman), "Stumm/Laut", &audio);
        EXPECT_EQ(m.mute, c.mute) << c.stored;
        EXPECT_EQ(m.steps, c.steps) << c.stored;
        EXPECT_EQ(m.device, c.shown) << c.device;
        EXPECT_EQ(deviceIndexFor(audio.list, c.device, audio.defaultId), size_t(c.shown));
        m.encode(row, "Stumm/Laut");
        EXPECT_EQ(row.PropertiesText, c.mute ? "Stumm/Laut" : c.amount) << c.stored;
        EXPECT_EQ(row.DeviceId, c.storedAfterOk) << c.device;
        // Another entry chosen stores its device, however the list changed meanwhile.
        const std::vector<TDeviceInfo> shownList = audio.list;
        audio.list = {{"USB", "usb"}};
        m.device = (c.shown + 1) % 3;
        m.encode(row, "Stumm/Laut");
        EXPECT_EQ(row.DeviceId, shownList[size_t(m.device)].DeviceId);
        audio.list = shownList;
    }
    EXPECT_TRUE(log.empty()) << "showing and storing select nothing in the sound system";
}

}  // namespace
}  // namespace vorbix
