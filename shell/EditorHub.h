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

#include "core/TableCommands.h"
#include "editors/EditorHost.h"

class QWidget;

namespace vorbix {

class Artwork;
class EditorDialog;
class HotKeyTableModel;
class LanguageApplier;

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
        Desktop desktop;
        std::function<bool()> pathCheck;  // ProgramDirPrompt as held in memory
        std::string configPath;
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

    const HotKeyEntry* row(const QPersistentModelIndex& row) const override;
    FileResult writeRow(const QPersistentModelIndex& row, const HotKeyEntry& values) override;
    const LanguageSource& language() const override;
    const EditorTexts& texts() override;
    Prompter& prompter() override { return s_.prompter; }
    int ppi() const override { return s_.ppi; }
    const HotKeyTable& table() const override;
    const Desktop& desktop() const override { return s_.desktop; }
    bool pathCheck() const override { return !s_.pathCheck || s_.pathCheck(); }
    std::string configPath() const override { return s_.configPath; }
    QIcon actionIcon(ActionKind kind) const override;

private:
    // The editor of `kind`, created on first use; null for a kind without an editor.
    EditorDialog* editorFor(ActionKind kind);

    Setup s_;
    // By the section of the editor (the hide and show kinds share one).
    std::map<std::string, std::unique_ptr<EditorDialog>> editors_;
    EditorTexts texts_;
};

}  // namespace vorbix
