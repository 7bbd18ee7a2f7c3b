// The program/folder editor's values: what a stored row shows, what OK stores, and when OK asks
// before storing a path.
#include <gtest/gtest.h>

#include "editors/OpenProgDirModel.h"
#include "tests/editors/TwoLanguages.h"

namespace vorbix {
namespace {

using M = WindowModeEntry;
using T = ProgDirTarget;
using Q = OpenProgDirModel::Question;

TEST(OpenProgDirModel, ShowsEveryValueFromTheRow) {
    struct Case {
        const char* program;
        const char* parameter;
        const char* howToOpen;
        T target;
        const char* path;
        const char* shownParameter;
        M mode;
    } cases[] = {
        {"/usr/bin/xterm<~F~>", "-e top", "Maximiert", T::Program, "/usr/bin/xterm", "-e top",
         M::Maximized},
        {"/home/u/Musik<~D~>", "", "Minimized", T::Folder, "/home/u/Musik", "", M::Minimized},
        // A folder has no parameter, whatever the file holds.
        {"/home/u<~D~>", "stale", "Normal", T::Folder, "/home/u", "", M::Normal},
        {"(Kein Programm/Verzeichnis gewählt)<~F~>", "", "Normal", T::Program, "", "", M::Normal},
        {"(No program or folder chosen)<~D~>", "", "Normal", T::Folder, "", "", M::Normal},
        // Only a marker at the very end is one.
        {"/opt/a<~D~>b<~F~>", "", "Normal", T::Program, "/opt/a<~D~>b", "", M::Normal},
        {"/opt/<~D~>/x", "-a", "Normal", T::Program, "/opt/<~D~>/x", "-a", M::Normal},
        {"/usr/bin/xterm", "", "Normal", T::Program, "/usr/bin/xterm", "", M::Normal},
        {"abc", "", "Normal", T::Program, "abc", "", M::Normal},
        {"<~F~>", "", "Normal", T::Program, "", "", M::Normal},
        {"~/Übung.sh<~F~>", "ä ö", "Minimiert", T::Program, "~/Übung.sh", "ä ö", M::Minimized},
        {"x<~F~>", "", "maximiert", T::Program, "x", "", M::Normal},  // words compare exactly
        {"x<~F~>", "", "Vollbild", T::Program, "x", "", M::Normal},   // unknown word: Normal
        {"x<~F~>", "", "", T::Program, "x", "", M::Normal},
        {"", "", "", T::Program, "", "", M::Normal},
    };
    for (const LanguageTexts& language : {test::germanTexts(), test::englishTexts()}) {
        for (const Case& c : cases) {
            // A model that showed another row before: nothing of it may remain.
            OpenProgDirModel m;
            m.target = T::Folder;
            m.path = "left over";
            m.parameter = "left over";
            m.mode = M::Minimized;
            HotKeyEntry row;
            row.Program = c.program;
            row.Parameter = c.parameter;
            row.HowToOpen = c.howToOpen;
            m.decode(row, test::editorTexts(language));
            const std::string what = language.language + ": " + c.program;
            EXPECT_EQ(m.target, c.target) << what;
            EXPECT_EQ(m.path, c.path) << what;
            EXPECT_EQ(m.parameter, c.shownParameter) << what;
            EXPECT_EQ(m.mode, c.mode) << what;
        }
    }
}

TEST(OpenProgDirModel, StoresThePathWithItsMarkerAndTheCurrentLanguagesWord) {
    const LanguageTexts german = test::germanTexts(), english = test::englishTexts();
    struct Case {
        T target;
        const char* path;
        const char* parameter;
        M mode;
        const LanguageTexts* language;
        const char* program;
        const char* storedParameter;
        const char* howToOpen;
        const char* properties;
    } cases[] = {
        {T::Program, "/bin/P", "-x", M::Maximized, &german, "/bin/P<~F~>", "-x", "Maximiert",
         "/bin/P -x | Maximiert"},
        {T::Program, "/bin/P", "-x", M::Maximized, &english, "/bin/P<~F~>", "-x", "Maximized",
         "/bin/P -x | Maximized"},
        {T::Program, "", "", M::Minimized, &english, "(No program or folder chosen)<~F~>", "",
         "Minimized", "(No program or folder chosen) | Minimized"},
        {T::Program, "", "-v", M::Normal, &german, "(Kein Programm/Verzeichnis gewählt)<~F~>", "-v",
         "Normal", "(Kein Programm/Verzeichnis gewählt) -v | Normal"},
        // A folder stores no parameter, also when one is still held.
        {T::Folder, "~/Musik", "-x", M::Normal, &german, "~/Musik<~D~>", "", "Normal",
         "~/Musik | Normal"},
        {T::Folder, "", "", M::Maximized, &german, "(Kein Programm/Verzeichnis gewählt)<~D~>", "",
         "Maximiert", "(Kein Programm/Verzeichnis gewählt) | Maximiert"},
        // Stored as typed, blanks included.
        {T::Program, " a b ", " c ", M::Normal, &german, " a b <~F~>", " c ", "Normal",
         " a b   c  | Normal"},
    };
    for (const Case& c : cases) {
        HotKeyEntry row;
        row.HotKeyText = "Strg+F7";
        row.ActionText = "Benutzerdefiniertes Programm";
        row.Parameter = "before";
        row.HowToOpen = "Minimized";
        OpenProgDirModel m;
        m.target = c.target;
        m.path = c.path;
        m.parameter = c.parameter;
        m.mode = c.mode;
        m.encode(row, *c.language);
        EXPECT_EQ(row.Program, c.program) << c.path;
        EXPECT_EQ(row.Parameter, c.storedParameter) << c.path;
        EXPECT_EQ(row.HowToOpen, c.howToOpen) << c.path;
        EXPECT_EQ(row.PropertiesText, c.properties) << c.path;
        EXPECT_EQ(row.HotKeyText, "Strg+F7");
        EXPECT_EQ(row.ActionText, "Benutzerdefiniertes Programm");
    }
}

TEST(OpenProgDirModel, FolderEmptiesTheParameterAtOnce) {
    OpenProgDirModel m;
    m.parameter = "-x";
    m.setTarget(T::Program);
    EXPECT_EQ(m.parameter, "-x");
    m.setTarget(T::Folder);
    EXPECT_EQ(m.parameter, "");
    m.setTarget(T::Program);
    EXPECT_EQ(m.parameter, "") << "switching back brings nothing back";
}

TEST(OpenProgDirModel, AsksOnlyForAPathTheLauncherCannotFind) {
    struct Case {
        bool check;
        T target;
        const char* path;
        bool found;
        Q question;
    } cases[] = {
        {true, T::Program, "/missing", false, Q::FileNotExists},
        {true, T::Folder, "/missing", false, Q::DirNotExists},
        {true, T::Program, "xterm", true, Q::None},
        {true, T::Folder, "~/Musik", true, Q::None},
        {true, T::Program, "", false, Q::None},  // an empty path is never questioned
        {true, T::Folder, "", false, Q::None},
        {false, T::Program, "/missing", false, Q::None},  // the check is off
        {false, T::Folder, "/missing", false, Q::None},
    };
    for (const Case& c : cases) {
        OpenProgDirModel m;
        m.target = c.target;
        m.path = c.path;
        std::vector<std::pair<std::string, bool>> asked;
        const Q q = m.question(c.check, [&](const std::string& path, bool folder) {
            asked.emplace_back(path, folder);
            return c.found;
        });
        EXPECT_EQ(q, c.question) << c.path << " " << c.check;
        if (!asked.empty()) {
            // The launcher is asked about the path as typed, as a program or as a folder.
            ASSERT_EQ(asked.size(), 1u);
            EXPECT_EQ(asked[0].first, c.path);
            EXPECT_EQ(asked[0].second, c.target == T::Folder);
        }
    }
    EXPECT_STREQ(questionKey(Q::FileNotExists), "MessageFileNotExists");
    EXPECT_STREQ(questionKey(Q::DirNotExists), "MessageDirNotExists");
    EXPECT_STREQ(questionKey(Q::None), "");
}

TEST(OpenProgDirModel, ARowShownAndStoredUnchangedKeepsItsValues) {
    const struct {
        const char* program;
        const char* parameter;
        const char* how;
        const char* properties;
    } rows[] = {
        {"/usr/bin/xterm<~F~>", "-e 'top -d 1'", "Maximiert",
         "/usr/bin/xterm -e 'top -d 1' | Maximiert"},
        {"/home/u/A|B<~D~>", "", "Minimiert", "/home/u/A|B | Minimiert"},
        {"(Kein Programm/Verzeichnis gewählt)<~F~>", "", "Normal",
         "(Kein Programm/Verzeichnis gewählt) | Normal"},
    };
    for (const auto& r : rows) {
        HotKeyEntry row;
        row.Program = r.program;
        row.Parameter = r.parameter;
        row.HowToOpen = r.how;
        row.PropertiesText = r.properties;
        OpenProgDirModel m;
        m.decode(row, test::editorTexts(test::germanTexts()));
        HotKeyEntry stored = row;
        m.encode(stored, test::germanTexts());
        EXPECT_EQ(stored, row) << r.program;
    }
}

}  // namespace
}  // namespace vorbix
