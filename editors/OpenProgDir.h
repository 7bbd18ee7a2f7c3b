// TOpenProgDir: the editor of the program/folder action (kind 4): program or folder, its path
// (typed or chosen in a file or folder dialog), the parameter string of a program and the window
// mode. OK asks before it stores a path the launcher cannot find, unless the check is off.
#pragma once

#include "editors/EditorDialog.h"
#include "editors/OpenProgDirModel.h"

class QComboBox;
class QFileDialog;
class QLabel;
class QLineEdit;

namespace vorbix {

class TOpenProgDir : public EditorDialog {
    Q_OBJECT
public:
    TOpenProgDir(QWidget* parent, EditorHost& host, const QIcon& icon);

    QComboBox* targetBox() const { return ComboBox1; }
    QLineEdit* pathBox() const { return Edit1; }
    QLineEdit* parameterBox() const { return Edit2; }
    QComboBox* modeBox() const { return ComboBox2; }
    QPushButton* browseButton() const { return ButtonBrowse; }
    QLabel* programLabel() const { return LabelOpenProgDir1; }
    QLabel* folderLabel() const { return LabelOpenProgDir2; }
    // The file or folder dialog that Browse opened last; null before.
    QFileDialog* browseDialog() const { return dialog_; }

protected:
    void setLanguageTexts(const LanguageFile& file, std::string_view section) override;
    void FormShow(const HotKeyEntry& row) override;
    void encode(HotKeyEntry& row) override;
    void checkInput(const std::function<void()>& accepted) override;

private:
    void ComboBox1Change();
    void ButtonBrowseClick();
    void takeControls();

    OpenProgDirModel model_;
    std::string filter_, selectDirPrompt_;
    std::string messages_[2];  // MessageFileNotExists, MessageDirNotExists
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr;
    QLabel *LabelOpenProgDir1 = nullptr, *LabelOpenProgDir2 = nullptr, *LabelOpenProgDir3 = nullptr,
           *LabelOpenProgDir4 = nullptr, *LabelOpenProgDir5 = nullptr;
    QLineEdit *Edit1 = nullptr, *Edit2 = nullptr;
    QPushButton* ButtonBrowse = nullptr;
    QFileDialog* dialog_ = nullptr;
};

}  // namespace vorbix
