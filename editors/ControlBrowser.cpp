#include "editors/ControlBrowser.h"

#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

constexpr EditorDialog::Design kDesign{lang::kControlBrowser, {498, 287}, {498, 287}};

// The list keys of this editor count from 0.
CommandListEditor::Texts browserTexts() {
    return {CommandList::Browser,
            "LabelControlBrowser1",
            "LabelControlBrowser2",
            {
                {"Combobox1Item0", {}, "go-previous", "Commands/back.svg"},
                {"Combobox1Item1", {}, "go-next", "Commands/forward.svg"},
                {"Combobox1Item2", {}, "go-home", "Commands/home.svg"},
                {"Combobox1Item3", {}, "bookmarks", "Commands/favorites.svg"},
                {"Combobox1Item4", {}, "view-refresh", "Commands/reload.svg"},
                {"Combobox1Item5", {}, "process-stop", "Commands/stop-loading.svg"},
            }};
}

}  // namespace

TControlBrowser::TControlBrowser(QWidget* parent, EditorHost& host, const QIcon& icon)
    : CommandListEditor(parent, host, kDesign, icon, browserTexts()) {
    // This editor's header has the large icon.
    placeHeaderIcon(icon, {14, 12, 32, 32});
}

}  // namespace vorbix
