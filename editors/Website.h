// TWebsite: the editor of the website action (kind 21): the address and the window mode.
#pragma once

#include "editors/EditorDialog.h"
#include "editors/WebsiteModel.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace vorbix {

class TWebsite : public EditorDialog {
    Q_OBJECT
public:
    TWebsite(QWidget* parent, EditorHost& host, const QIcon& icon);

    QLineEdit* addressBox() const { return Edit1; }
    QComboBox* modeBox() const { return ComboBox1; }

protected:
    void setLanguageTexts(const LanguageFile& file, std::string_view section) override;
    void FormShow(const HotKeyEntry& row) override;
    void encode(HotKeyEntry& row) override;

private:
    WebsiteModel model_;
    QLabel *LabelWebsite1 = nullptr, *LabelWebsite2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
};

}  // namespace vorbix
