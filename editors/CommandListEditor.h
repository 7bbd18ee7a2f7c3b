// The one-list editors of the browser and media control actions: a label, a drop-down list of
// commands with an icon before each, and optionally a note. The chosen entry's text in the
// current language is the stored value.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editors/ControlCommandModel.h"
#include "editors/EditorDialog.h"

class QComboBox;
class QLabel;

namespace vorbix {

class CommandListEditor : public EditorDialog {
    Q_OBJECT
public:
    struct Entry {
        std::string_view key;    // language key of the text; empty for a fixed text
        std::string_view fixed;  // the text of every language when there is no key
        const char* themeIcon;   // the desktop's icon of the command, where it has one
        const char* image;       // else this picture (Images/...)
    };
    struct Texts {
        CommandList list;
        std::string_view labelKey;
        std::string_view noteKey;  // empty: no note
        std::vector<Entry> entries;
    };

    CommandListEditor(QWidget* parent, EditorHost& host, const Design& design, const QIcon& icon,
                      Texts texts);

    QComboBox* commandBox() const { return ComboBox1; }
    QLabel* note() const { return note_; }
    // The texts the list shows now, in list order.
    std::vector<std::string> entryTexts() const;

protected:
    void setLanguageTexts(const LanguageFile& file, std::string_view section) override;
    void FormShow(const HotKeyEntry& row) override;
    void encode(HotKeyEntry& row) override;

private:
    Texts texts_;
    ControlCommandModel model_;
    QLabel* label_ = nullptr;
    QLabel* note_ = nullptr;
    QComboBox* ComboBox1 = nullptr;
};

}  // namespace vorbix
