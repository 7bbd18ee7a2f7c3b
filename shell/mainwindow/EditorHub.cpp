#include "shell/mainwindow/EditorHub.h"

#include "editors/AdjustVolume.h"
#include "editors/ControlAudioVideo.h"
#include "editors/ControlBrowser.h"
#include "editors/DateTime.h"
#include "editors/HideShow.h"
#include "editors/InsertText.h"
#include "editors/OpenCloseDrive.h"
#include "editors/OpenProgDir.h"
#include "editors/SearchInternet.h"
#include "editors/SearchInternetProperties.h"
#include "editors/SimulateKeyComb.h"
#include "editors/Website.h"
#include "shell/common/Artwork.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/HotKeyTableModel.h"
#include "shell/mainwindow/LanguageApplier.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

template <typename Editor>
std::unique_ptr<EditorDialog> make(QWidget* parent, EditorHost& host, const QIcon& icon) {
    return std::make_unique<Editor>(parent, host, icon);
}

struct EditorSlot {
    ActionKind kind;
    std::string_view section;  // kinds that share an editor share its section
    std::unique_ptr<EditorDialog> (*make)(QWidget*, EditorHost&, const QIcon&);
};

// Which editor edits which kind.
const EditorSlot kEditors[] = {
    {ActionKind::Website, lang::kWebsite, &make<TWebsite>},
    {ActionKind::SearchInternet, lang::kSearchInternetProperties, &make<TSearchInternetProperties>},
    {ActionKind::ControlBrowser, lang::kControlBrowser, &make<TControlBrowser>},
    {ActionKind::ControlAudioVideo, lang::kControlAudioVideo, &make<TControlAudioVideo>},
    {ActionKind::SimulateKeyComb, lang::kSimulateKeyComb, &make<TSimulateKeyComb>},
    {ActionKind::OpenCloseDrive, lang::kOpenCloseDrive, &make<TOpenCloseDrive>},
    {ActionKind::InsertText, lang::kInsertText, &make<TInsertText>},
    {ActionKind::OpenProgramDir, lang::kOpenProgDir, &make<TOpenProgDir>},
    {ActionKind::InsertDateTime, lang::kDateTime, &make<TDateTime>},
    {ActionKind::HideWindows, lang::kHideShow, &make<THideShow>},
    {ActionKind::ShowWindows, lang::kHideShow, &make<THideShow>},
    {ActionKind::AdjustVolume, lang::kAdjustVolume, &make<TAdjustVolume>},
};

const EditorSlot* slotOf(ActionKind kind) {
    for (const EditorSlot& slot : kEditors) {
        if (slot.kind == kind) return &slot;
    }
    return nullptr;
}

}  // namespace

EditorHub::EditorHub(Setup setup) : s_(std::move(setup)) {}

EditorHub::~EditorHub() {
    for (auto& [section, editor] : editors_) s_.languages.remove(editor.get());
    if (search_) s_.languages.remove(search_.get());
}

void EditorHub::showSearchWindow(const std::string& provider) {
    if (!search_) {
        search_ = std::make_unique<TSearchInternet>(
            *this, s_.art.actionIcon(toIndex(ActionKind::SearchInternet)),
            [this](const std::string& address) {
                Launcher* launcher = s_.desktop.launcher;
                if (!launcher) return;
                const LaunchResult opened = launcher->openLocation(address, WindowMode::Normal);
                if (s_.core) s_.core->dispatcher.report(opened);
            });
        search_->FormCreate();
        s_.languages.add(lang::kSearchInternet, search_.get());
    }
    search_->FormShow(provider);
}

EditorDialog* EditorHub::editorFor(ActionKind kind) {
    const EditorSlot* slot = slotOf(kind);
    if (!slot) return nullptr;
    std::unique_ptr<EditorDialog>& editor = editors_[std::string(slot->section)];
    if (!editor) {
        editor = slot->make(s_.window, *this, s_.art.actionIcon(toIndex(kind)));
        editor->FormCreate();
        s_.languages.add(slot->section, editor.get());
    }
    return editor.get();
}

void EditorHub::openEditor(const EditRequest& request) {
    if (openedEditor()) return;
    EditorDialog* editor = editorFor(request.kind);
    if (!editor) return;
    editor->openFor(QPersistentModelIndex(s_.model.index(int(request.row), 0)));
}

void EditorHub::closeAll() {
    for (auto& [section, editor] : editors_) editor->closeWithoutWriting();
    if (search_) search_->hide();
}

EditorDialog* EditorHub::openedEditor() const {
    for (const auto& [section, editor] : editors_) {
        if (editor->isVisible()) return editor.get();
    }
    return nullptr;
}

EditorDialog* EditorHub::createdEditor(ActionKind kind) const {
    const EditorSlot* slot = slotOf(kind);
    if (!slot) return nullptr;
    const auto found = editors_.find(std::string(slot->section));
    return found == editors_.end() ? nullptr : found->second.get();
}

void EditorHub::useInsertTextConfig(InsertTextConfig& config) {
    insertText_ = &config;
}

const HotKeyEntry* EditorHub::row(const QPersistentModelIndex& index) const {
    return s_.model.row(index);
}

FileResult EditorHub::writeRow(const QPersistentModelIndex& index, const HotKeyEntry& values) {
    const HotKeyEntry* current = s_.model.row(index);
    if (!current) return {false, {}};
    const HotKeyEntry before = *current;
    // The editor has made the row's properties text itself.
    HotKeyEntry written = values;
    written.TextDigestPending = false;
    s_.model.setRow(index, written);
    const TableStore::Result saved = s_.store.save(s_.hotKeyFilePath);
    if (saved.ok) return {};
    s_.model.setRow(index, before);
    return {false, saved.error};
}

const KeyNameSource& EditorHub::keyNames() const {
    return s_.keyNames ? *s_.keyNames : EditorHost::keyNames();
}

const HotKeyTable& EditorHub::table() const {
    return s_.model.table();
}

ReservedCombinations EditorHub::reservedCombinations() const {
    return s_.core ? s_.core->commands.reservedCombinations() : ReservedCombinations{};
}

QIcon EditorHub::icon(const char* themeName, const char* file) const {
    return s_.art.icon(themeName, file);
}

QIcon EditorHub::actionIcon(ActionKind kind) const {
    return s_.art.actionIcon(toIndex(kind));
}

const LanguageSource& EditorHub::language() const {
    return s_.languages;
}

const EditorTexts& EditorHub::texts() {
    texts_.current = s_.texts;
    texts_.languages = &s_.catalogue;
    return texts_;
}

}  // namespace vorbix
