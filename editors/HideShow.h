// THideShow: the editor of the hide windows and show windows actions (kinds 2 and 3): the list
// of keywords matched against window titles, typed one by one, deleted, reordered by dragging,
// or taken over from another hide or show row. Its caption, title, explanation and icon follow
// the row's kind. OK is not the default button: Enter adds the typed keyword (or, in an empty
// box, stores the list) and Enter in the take-over list stores it.
#pragma once

#include "editors/EditorDialog.h"
#include "editors/HideShowModel.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;

namespace vorbix {

class KeywordListBox;

class THideShow : public EditorDialog {
    Q_OBJECT
public:
    THideShow(QWidget* parent, EditorHost& host, const QIcon& icon);

    KeywordListBox* keywordList() const { return ListBox1; }
    QLineEdit* keywordBox() const { return Edit1; }
    QPushButton* addButton() const { return ButtonAdd; }
    QComboBox* takeOverBox() const { return ComboBox1; }
    QLabel* takeOverLabel() const { return LabelHideShow3; }
    QLabel* explanation() const { return LabelHideShow; }
    QAction* deleteAction() const { return DeleteSelected; }
    bool showVariant() const { return model_.showVariant; }

    void ButtonAddClick();
    void DeleteSelectedExecute();

protected:
    void setLanguageTexts(const LanguageFile& file, std::string_view section) override;
    void FormShow(const HotKeyEntry& row) override;
    void encode(HotKeyEntry& row) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void ComboBox1Change(int index);
    void showVariantTexts();
    void layOutTakeOver(bool shown);
    // Whether the one-time notice is still to be shown; marks it shown.
    bool takeNotice();

    HideShowModel model_;
    QString captions_[2], headers_[2], explanations_[2];
    std::string refusals_[3];  // MessageHide1 ... MessageHide3
    QIcon icons_[2];
    QLabel* LabelHideShow = nullptr;
    KeywordListBox* ListBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QPushButton* ButtonAdd = nullptr;
    QLabel* LabelHideShow3 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QAction* DeleteSelected = nullptr;
};

}  // namespace vorbix
