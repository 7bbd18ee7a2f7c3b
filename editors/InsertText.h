// TInsertText: the editor of the insert-text action (kind 10), a small word processor. The text
// is written as formatted text (tool bar, RTF in the stored value) or as plain text; a box asks
// for a Tab press after the insertion, another wraps the lines. The window is resizable and
// maximisable and keeps its size, place and state in the configuration.
#pragma once

#include "editors/EditorDialog.h"
#include "editors/InsertTextModel.h"

class QCheckBox;
class QLabel;
class QRadioButton;

namespace vorbix {

class RichTextEdit;
class RichTextToolBar;

class TInsertText : public EditorDialog {
    Q_OBJECT
public:
    TInsertText(QWidget* parent, EditorHost& host, const QIcon& icon);

    RichTextEdit* textBox() const { return RichEdit1; }
    RichTextToolBar* toolBar() const { return ToolBar1; }
    QRadioButton* formattedRadio() const { return RadioInsertText1; }
    QRadioButton* plainRadio() const { return RadioInsertText2; }
    QCheckBox* wrapBox() const { return CheckboxInsertText1; }
    QCheckBox* tabBox() const { return CheckBoxInsertText2; }
    QLabel* note() const { return LabelInsertText1; }
    // Asks for a link's address and text and puts its markup in place of the selection.
    void ButtonHyperlinkClick();

protected:
    void setLanguageTexts(const LanguageFile& file, std::string_view section) override;
    void FormShow(const HotKeyEntry& row) override;
    void encode(HotKeyEntry& row) override;
    void placeOnScreen() override;
    void done(int result) override;

private:
    // Tool bar and box for the mode; switching to plain flattens the text.
    void setMode(bool formatted);
    void flatten();
    void CheckboxInsertText1Click(bool ticked);
    void applyWrap(bool wrap);
    void SaveConfig();
    // The note says what becomes of the clipboard under the setting in force.
    void showClipboardNote();

    InsertTextModel model_;
    // The text was turned into plain text since the editor was shown.
    bool flattened_ = false;
    QString MessageURL, MessageCaption;
    QString noteCleared_, noteKept_;
    QRadioButton *RadioInsertText1 = nullptr, *RadioInsertText2 = nullptr;
    RichTextToolBar* ToolBar1 = nullptr;
    RichTextEdit* RichEdit1 = nullptr;
    QCheckBox *CheckboxInsertText1 = nullptr, *CheckBoxInsertText2 = nullptr;
    QLabel* LabelInsertText1 = nullptr;
};

}  // namespace vorbix
