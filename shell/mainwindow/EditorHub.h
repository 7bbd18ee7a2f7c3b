// The property editors as the main window uses them: openEditor maps a row's kind to its editor,
// creates the editor on first use (so the start-up does not grow with the editors) and opens it
// for the row; at most one editor is open at a time. The hub is the editors' host: it gives them
// the row through the table model, writes the row with the whole hot key file, and has the
// language applier translate them with every other window.
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "core/Dispatcher.h"
#include "core/TableCommands.h"
#include "editors/EditorHost.h"

class QWidget;

namespace vorbix {

class Artwork;
class EditorDialog;
class HotKeyTableModel;
class LanguageApplier;
class ShellCore;
class TSearchInternet;

class EditorHub : public QObject, public EditorHost {
    Q_OBJECT
public:
    struct Setup {
        QWidget* window;  // the main window: the editors are window-modal to it
        HotKeyTableModel& model;
        TableStore& store;  // writes the table
        std::string hotKeyFilePath;
        LanguageApplier& languages;
        const LanguageTexts& texts;          // the current language's texts
        const LanguageCatalogue& catalogue;  // the words of every language
        Prompter& prompter;
        const Artwork& art;
        std::string programFolder;
        int ppi;
        Desktop desktop{};                        // the drive list, opening addresses, focus
        const KeyNameSource* keyNames = nullptr;  // the built-in German names when null
        ShellCore* core = nullptr;                // the special combinations, failure texts
        ShellHooks* hooks = nullptr;              // where a failed search address is told
        std::function<bool()> pathCheck;          // ProgramDirPrompt as held in memory
        std::string configPath;                   // the per-user configuration file
        std::function<bool()> keepClipboard;      // SaveClipBoard as held in memory
    };

    explicit EditorHub(Setup setup);
    ~EditorHub() override;

    // Opens the editor of the request's kind for its row; nothing while another editor is open
    // or when the kind has no editor.
    void openEditor(const EditRequest& request);
    // The open editor, if any, closes without writing (the program ends, the session ends).
    void closeAll();
    // The editor that is open, null when none is.
    EditorDialog* openedEditor() const;
    // The editor of `kind` if it has been created.
    EditorDialog* createdEditor(ActionKind kind) const;
    // The insert-text editor's part of the configuration as the program holds it, and the
    // user's configuration file.
    void useInsertTextConfig(InsertTextConfig& config);

    // The search window, created on first use, shown for a row's provider.
    void showSearchWindow(const std::string& provider);
    // The search window if it has been created.
    TSearchInternet* searchWindow() const { return search_.get(); }

    const HotKeyEntry* row(const QPersistentModelIndex& row) const override;
    FileResult writeRow(const QPersistentModelIndex& row, const HotKeyEntry& values) override;
    const LanguageSource& language() const override;
    const EditorTexts& texts() override;
    Prompter& prompter() override { return s_.prompter; }
    int ppi() const override { return s_.ppi; }
    const HotKeyTable& table() const override;
    const Desktop& desktop() const override { return s_.desktop; }
    const KeyNameSource& keyNames() const override;
    ReservedCombinations reservedCombinations() const override;
    bool pathCheck() const override { return !s_.pathCheck || s_.pathCheck(); }
    bool keepClipboard() const override { return s_.keepClipboard && s_.keepClipboard(); }
    QIcon icon(const char* themeName, const char* file) const override;
    QIcon actionIcon(ActionKind kind) const override;
    InsertTextConfig& insertTextConfig() override { return *insertText_; }
    std::string configPath() const override { return s_.configPath; }

private:
    // The editor of `kind`, created on first use; null for a kind without an editor.
    EditorDialog* editorFor(ActionKind kind);

    Setup s_;
    // By the section of the editor (the hide and show kinds share one).
    std::map<std::string, std::unique_ptr<EditorDialog>> editors_;
    EditorTexts texts_;
    std::unique_ptr<TSearchInternet> search_;
    InsertTextConfig ownInsertText_;
    InsertTextConfig* insertText_ = &ownInsertText_;
};

}  // namespace vorbix
