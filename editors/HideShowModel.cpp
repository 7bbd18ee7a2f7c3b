#include "editors/HideShowModel.h"

#include <algorithm>

#include "core/Dispatcher.h"
#include "core/TextUtil.h"

namespace vorbix {

namespace {

constexpr std::string_view kProgramName = "Vorbix";

void moveEntry(KeywordList& list, int from, int to) {
    std::string item = std::move(list.items[size_t(from)]);
    const bool selected = list.selected[size_t(from)];
    list.items.erase(list.items.begin() + from);
    list.selected.erase(list.selected.begin() + from);
    list.items.insert(list.items.begin() + to, std::move(item));
    list.selected.insert(list.selected.begin() + to, selected);
    // The focus stays with its entry.
    int& f = list.focused;
    if (f == from) {
        f = to;
    } else if (from < f && f <= to) {
        --f;
    } else if (to <= f && f < from) {
        ++f;
    }
}

}  // namespace

void KeywordList::assign(std::vector<std::string> keywords) {
    items = std::move(keywords);
    selected.assign(items.size(), false);
    focused = -1;
}

void deleteSelected(KeywordList& list) {
    int before = 0;  // deleted entries above the focused one
    for (size_t i = 0; i < list.items.size() && int(i) < list.focused; ++i) {
        if (list.selected[i]) ++before;
    }
    for (size_t i = list.items.size(); i-- > 0;) {
        if (!list.selected[i]) continue;
        list.items.erase(list.items.begin() + long(i));
        list.selected.erase(list.selected.begin() + long(i));
    }
    const int size = int(list.items.size());
    list.focused = size == 0 ? -1 : std::clamp(list.focused - before, 0, size - 1);
    if (list.focused >= 0) list.selected[size_t(list.focused)] = true;
}

void dragOver(KeywordList& list, int target) {
    const int size = int(list.items.size());
    if (target < 0 || target >= size) return;
    if (list.selected[size_t(target)]) {
        list.focused = target;
        return;
    }
    if (list.focused < 0) return;
    const int d = list.focused - target;
    if (d > 0) {
        for (int i = 0; i < size; ++i) {
            if (!list.selected[size_t(i)]) continue;
            if (i - d < 0) return;
            moveEntry(list, i, i - d);
        }
    } else {
        for (int i = size - 1; i >= 0; --i) {
            if (!list.selected[size_t(i)]) continue;
            if (i - d >= size) return;
            moveEntry(list, i, i - d);
        }
    }
}

void HideShowModel::decode(const std::vector<HotKeyEntry>& rows, size_t current,
                           const EditorTexts& texts) {
    const LanguageCatalogue& languages = *texts.languages;
    auto kindOf = [&](const HotKeyEntry& row) {
        return languages.kindOf(row.ActionText, &texts.current);
    };
    const HotKeyEntry* row = current < rows.size() ? &rows[current] : nullptr;
    showVariant = row && kindOf(*row) == ActionKind::ShowWindows;
    list.assign(row ? windowKeywords(row->Window) : std::vector<std::string>());
    offers.clear();
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i == current) continue;
        const auto kind = kindOf(rows[i]);
        if (kind != ActionKind::HideWindows && kind != ActionKind::ShowWindows) continue;
        if (languages.isPlaceholder(Placeholder::NewHide, rows[i].PropertiesText, &texts.current)) {
            continue;
        }
        offers.push_back({rows[i].HotKeyText, rows[i].Window});
    }
}

KeywordCheck HideShowModel::add(const std::string& typed) {
    if (typed == kProgramName) return KeywordCheck::ProgramName;
    if (utf8Length(typed) < 3) return KeywordCheck::TooShort;
    if (typed.find('|') != std::string::npos) return KeywordCheck::ContainsBar;
    list.items.push_back(typed);
    list.selected.push_back(false);
    return KeywordCheck::Added;
}

void HideShowModel::takeOver(size_t index) {
    if (index < offers.size()) list.assign(windowKeywords(offers[index].window));
}

void HideShowModel::encode(HotKeyEntry& row, const LanguageTexts& current) const {
    row.Window.clear();
    for (const std::string& keyword : list.items) row.Window += keyword + "|";
    row.PropertiesText =
        row.Window.empty() ? current.sNewHide : composeWindowProperties(row.Window);
}

const char* refusalKey(KeywordCheck check) {
    switch (check) {
        case KeywordCheck::ProgramName:
            return "MessageHide1";
        case KeywordCheck::TooShort:
            return "MessageHide2";
        case KeywordCheck::ContainsBar:
            return "MessageHide3";
        case KeywordCheck::Added:
            break;
    }
    return "";
}

}  // namespace vorbix
