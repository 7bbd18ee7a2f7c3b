// The hide/show editor's values: the keyword list read from a row and stored back, which
// keywords are refused, deleting and dragging entries, and the other rows offered for a take-over.
#include <gtest/gtest.h>

#include "editors/HideShowModel.h"
#include "tests/editors/TwoLanguages.h"

namespace vorbix {
namespace {

using Items = std::vector<std::string>;
using Marks = std::vector<bool>;

HotKeyEntry row(const char* key, const char* action, const char* window, const char* properties) {
    HotKeyEntry r;
    r.HotKeyText = key;
    r.ActionText = action;
    r.Window = window;
    r.PropertiesText = properties;
    return r;
}

KeywordList listOf(Items items, Marks selected, int focused) {
    KeywordList l;
    l.items = std::move(items);
    l.selected = std::move(selected);
    l.focused = focused;
    return l;
}

TEST(HideShowModel, ReadsTheKeywordsAndStoresThemBack) {
    struct Case {
        const char* window;
        Items keywords;
        const char* storedWindow;  // after OK
        const char* properties;
    } cases[] = {
        {"Editor|Rechner|", {"Editor", "Rechner"}, "Editor|Rechner|", "Editor|Rechner"},
        {"a|b", {"a"}, "a|", "a"},  // what follows the last "|" is no keyword
        {"Editor", {}, "", "(Keine Schlagwörter angegeben)"},
        {"", {}, "", "(Keine Schlagwörter angegeben)"},
        {"(Keine Schlagwörter zum Einblenden angegeben)", {}, "", "(Keine Schlagwörter angegeben)"},
        // An empty piece would match every title; it is no keyword.
        {"|Editor||", {"Editor"}, "Editor|", "Editor"},
        {"Größe|Größe|", {"Größe", "Größe"}, "Größe|Größe|", "Größe|Größe"},  // repeats stay
    };
    const std::vector<HotKeyEntry> rows{row("Strg+F1", "Bestimmte Fenster verstecken", "", "")};
    for (const Case& c : cases) {
        std::vector<HotKeyEntry> table = rows;
        table[0].Window = c.window;
        HideShowModel m;
        m.list.assign({"left over"});
        m.decode(table, 0, test::editorTexts(test::germanTexts()));
        EXPECT_EQ(m.list.items, c.keywords) << c.window;
        EXPECT_EQ(m.list.selected, Marks(c.keywords.size(), false)) << c.window;
        HotKeyEntry stored = table[0];
        m.encode(stored, test::germanTexts());
        EXPECT_EQ(stored.Window, c.storedWindow) << c.window;
        EXPECT_EQ(stored.PropertiesText, c.properties) << c.window;
    }
}

TEST(HideShowModel, BothKindsStoreTheHideKindsPlaceholderForNoKeywords) {
    for (const LanguageTexts& language : {test::germanTexts(), test::englishTexts()}) {
        for (const char* action : {"Bestimmte Fenster verstecken", "Show hidden windows"}) {
            std::vector<HotKeyEntry> rows{row("Strg+F1", action, "x|", "x")};
            HideShowModel m;
            m.decode(rows, 0, test::editorTexts(language));
            EXPECT_EQ(m.showVariant, std::string(action) == "Show hidden windows") << action;
            m.list.assign({});
            m.encode(rows[0], language);
            EXPECT_EQ(rows[0].Window, "");
            EXPECT_EQ(rows[0].PropertiesText, language.sNewHide);
        }
    }
}

TEST(HideShowModel, RefusesTheProgramsNameShortKeywordsAndBars) {
    struct Case {
        const char* typed;
        KeywordCheck check;
    } cases[] = {
        {"abc", KeywordCheck::Added},
        {"ab", KeywordCheck::TooShort},
        {"", KeywordCheck::TooShort},
        {"äö", KeywordCheck::TooShort},  // two characters, four bytes
        {"äöü", KeywordCheck::Added},
        {"Vorbix", KeywordCheck::ProgramName},
        {"vorbix", KeywordCheck::Added},   // letter case counts
        {" Vorbix", KeywordCheck::Added},  // taken as typed, blanks included
        {"   ", KeywordCheck::Added},
        {"Edi|tor", KeywordCheck::ContainsBar},
        {"Editor|", KeywordCheck::ContainsBar},
        {"a|", KeywordCheck::TooShort},
    };
    for (const Case& c : cases) {
        HideShowModel m;
        m.list.assign({"first"});
        EXPECT_EQ(m.add(c.typed), c.check) << c.typed;
        const Items expected =
            c.check == KeywordCheck::Added ? Items{"first", c.typed} : Items{"first"};
        EXPECT_EQ(m.list.items, expected) << c.typed;
        EXPECT_EQ(m.list.selected.size(), m.list.items.size());
    }
    EXPECT_STREQ(refusalKey(KeywordCheck::ProgramName), "MessageHide1");
    EXPECT_STREQ(refusalKey(KeywordCheck::TooShort), "MessageHide2");
    EXPECT_STREQ(refusalKey(KeywordCheck::ContainsBar), "MessageHide3");
}

TEST(HideShowModel, OffersTheOtherHideAndShowRowsWithTheirOwnKeywords) {
    const std::vector<HotKeyEntry> rows{
        row("Strg+F1", "Bestimmte Fenster verstecken", "Editor|", "Editor"),
        row("Strg+F2", "Kopieren", "", ""),
        row("Strg+F3", "Hide certain windows", "Mail|Chat|", "Mail|Chat"),  // English caption
        row("Strg+F4", "Verstecke Fenster einblenden", "",
            "(Keine Schlagwörter zum Einblenden angegeben)"),
        row("Strg+F5", "Bestimmte Fenster verstecken", "", "(Keine Schlagwörter angegeben)"),
        row("Strg+F6", "Hide certain windows", "", "(No keywords given)"),
        // The same key text twice (one of them a stored duplicate): each keeps its own list.
        row("Strg+F3", "Verstecke Fenster einblenden", "Rechner|", "Rechner"),
    };
    HideShowModel m;
    m.decode(rows, 0, test::editorTexts(test::germanTexts()));
    ASSERT_EQ(m.offers.size(), 3u);
    EXPECT_EQ(m.offers[0].hotKeyText, "Strg+F3");
    EXPECT_EQ(m.offers[1].hotKeyText, "Strg+F4");
    EXPECT_EQ(m.offers[2].hotKeyText, "Strg+F3");
    m.takeOver(2);
    EXPECT_EQ(m.list.items, Items{"Rechner"});
    m.takeOver(0);
    EXPECT_EQ(m.list.items, (Items{"Mail", "Chat"})) << "replaced, not merged";
    m.takeOver(1);  // a new show row: an empty list
    EXPECT_TRUE(m.list.items.empty());
    m.takeOver(7);  // no such offer: nothing changes
    EXPECT_TRUE(m.list.items.empty());

    // The row being edited is never offered; a row alone has no offers.
    m.decode(rows, 2, test::editorTexts(test::englishTexts()));
    ASSERT_EQ(m.offers.size(), 3u);
    EXPECT_EQ(m.offers[0].hotKeyText, "Strg+F1");
    EXPECT_EQ(m.list.items, (Items{"Mail", "Chat"}));
    m.decode({rows[0]}, 0, test::editorTexts(test::germanTexts()));
    EXPECT_TRUE(m.offers.empty());
}

TEST(HideShowModel, DeletingKeepsTheFocusInsideTheList) {
    struct Case {
        Items items;
        Marks selected;
        int focused;
        Items left;
        int focus;
    } cases[] = {
        {{"a", "b", "c"}, {false, true, false}, 1, {"a", "c"}, 1},
        {{"a", "b", "c"}, {false, false, true}, 2, {"a", "b"}, 1},  // the last: the one before
        {{"a"}, {true}, 0, {}, -1},
        // Several entries: the focus follows the entry after the focused one.
        {{"a", "b", "c", "d", "e"}, {true, false, true, true, false}, 3, {"b", "e"}, 1},
        {{"a", "b", "c", "d"}, {false, false, true, true}, 3, {"a", "b"}, 1},
        {{"a", "b", "c", "d"}, {true, true, true, false}, 0, {"d"}, 0},
        // The focused entry not selected: it keeps the focus.
        {{"a", "b", "c", "d"}, {true, true, false, false}, 3, {"c", "d"}, 1},
        {{"a", "b"}, {false, false}, 0, {"a", "b"}, 0},
    };
    for (const Case& c : cases) {
        KeywordList l = listOf(c.items, c.selected, c.focused);
        deleteSelected(l);
        EXPECT_EQ(l.items, c.left);
        EXPECT_EQ(l.focused, c.focus);
        ASSERT_EQ(l.selected.size(), l.items.size());
        for (size_t i = 0; i < l.selected.size(); ++i) {
            EXPECT_EQ(l.selected[i], int(i) == c.focus) << i;
        }
    }
}

TEST(HideShowModel, DraggingMovesTheSelectedEntriesLive) {
    struct Case {
        Items items;
        Marks selected;
        int focused;
        int target;
        Items after;
        Marks selectedAfter;
        int focusAfter;
    } cases[] = {
        // One entry dragged down and up.
        {{"a", "b", "c", "d"},
         {true, false, false, false},
         0,
         2,
         {"b", "c", "a", "d"},
         {false, false, true, false},
         2},
        {{"a", "b", "c", "d"},
         {false, false, false, true},
         3,
         0,
         {"d", "a", "b", "c"},
         {true, false, false, false},
         0},
        // Over a selected entry: it takes the focus, nothing moves.
        {{"a", "b", "c"}, {true, false, true}, 0, 2, {"a", "b", "c"}, {true, false, true}, 2},
        // Two entries keep their distance.
        {{"a", "b", "c", "d", "e"},
         {false, true, false, true, false},
         1,
         2,
         {"a", "c", "b", "e", "d"},
         {false, false, true, false, true},
         2},
        {{"a", "b", "c", "d", "e"},
         {false, true, false, true, false},
         3,
         2,
         {"b", "a", "d", "c", "e"},
         {true, false, true, false, false},
         2},
        {{"a", "b", "c", "d"},
         {true, false, true, false},
         2,
         3,
         {"b", "a", "d", "c"},
         {false, true, false, true},
         3},
        // An entry that would leave the list ends the step.
        {{"a", "b", "c", "d"},
         {true, false, true, false},
         2,
         1,
         {"a", "b", "c", "d"},
         {true, false, true, false},
         2},
        {{"a", "b", "c", "d"},
         {false, true, false, true},
         1,
         2,
         {"a", "b", "c", "d"},
         {false, true, false, true},
         1},
        {{"a", "b", "c"}, {true, false, false}, 0, 0, {"a", "b", "c"}, {true, false, false}, 0},
        // Nowhere to go: outside the list, or no focused entry.
        {{"a", "b"}, {true, false}, 0, 5, {"a", "b"}, {true, false}, 0},
        {{"a", "b"}, {true, false}, -1, 1, {"a", "b"}, {true, false}, -1},
    };
    for (const Case& c : cases) {
        KeywordList l = listOf(c.items, c.selected, c.focused);
        dragOver(l, c.target);
        EXPECT_EQ(l.items, c.after) << c.focused << " -> " << c.target;
        EXPECT_EQ(l.selected, c.selectedAfter) << c.focused << " -> " << c.target;
        EXPECT_EQ(l.focused, c.focusAfter) << c.focused << " -> " << c.target;
        // A second step over the same entry changes nothing more.
        const KeywordList once = l;
        dragOver(l, c.target);
        EXPECT_EQ(l.items, once.items);
    }
}

}  // namespace
}  // namespace vorbix
