// The values of the hide/show windows editor (THideShow): the keyword list with its selection,
// the rules for adding, deleting and reordering keywords, and the lists of other hide and show
// rows whose keywords can be taken over. The same editor serves both kinds.
#pragma once

#include <string>
#include <vector>

#include "core/HotKeyTable.h"
#include "editors/EditorTexts.h"

namespace vorbix {

// The keyword list as the user sees it: the entries, which of them are selected and which one
// has the focus (-1 for none).
struct KeywordList {
    std::vector<std::string> items;
    std::vector<bool> selected;
    int focused = -1;

    void assign(std::vector<std::string> keywords);
    size_t size() const { return items.size(); }
};

// Deletes every selected entry. The focus goes to the entry that followed the focused one, or
// to the last entry when none follows, and selects it; -1 when the list is empty.
void deleteSelected(KeywordList& list);
// One step of dragging over entry `target`: a selected target takes the focus; otherwise every
// selected entry moves by the distance from the focused entry to the target (from the top down
// when moving up, from the bottom up when moving down) and stays selected, the focus moving
// with its entry. The first entry that would leave the list ends the step.
void dragOver(KeywordList& list, int target);

// What becomes of a typed keyword.
enum class KeywordCheck { Added, ProgramName, TooShort, ContainsBar };

// Another hide or show row whose keywords the editor offers to take over.
struct KeywordOffer {
    std::string hotKeyText;
    std::string window;
};

class HideShowModel {
public:
    bool showVariant = false;  // the row is of the show kind
    KeywordList list;
    std::vector<KeywordOffer> offers;

    // The keywords of `rows[current]` and the rows of either kind (their caption in any
    // language) other than that one whose properties are not the empty list's placeholder, in
    // table order.
    void decode(const std::vector<HotKeyEntry>& rows, size_t current, const EditorTexts& texts);
    // Appends `typed` unless it is the program's name (letter case counts), has fewer than three
    // characters, or holds a "|", which would split it when the list is read back.
    KeywordCheck add(const std::string& typed);
    // Replaces the list with the keywords of offer `index`, as they were when the editor opened.
    void takeOver(size_t index);
    // `Window` is every keyword followed by "|"; `PropertiesText` the keywords joined by "|", or
    // the current language's placeholder for an empty list (for both kinds).
    void encode(HotKeyEntry& row, const LanguageTexts& current) const;
};

// The language key of a refusal's message in section "HideShow"; empty for Added.
const char* refusalKey(KeywordCheck check);

}  // namespace vorbix
