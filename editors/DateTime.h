// TDateTime: the editor of the date/time action (kind 17): a date format of three parts and a
// separator, or a time format. The separator shows between the parts the moment it is chosen.
#pragma once

#include "editors/DateTimeModel.h"
#include "editors/EditorDialog.h"

class QComboBox;
class QLabel;

namespace vorbix {

class BalloonTip;

class TDateTime : public EditorDialog {
    Q_OBJECT
public:
    TDateTime(QWidget* parent, EditorHost& host, const QIcon& icon);

    QComboBox* kindBox() const { return ComboBox1; }
    // The three date parts (0 to 2).
    QComboBox* partBox(int i) const { return parts_[i]; }
    QComboBox* separatorBox() const { return ComboBox5; }
    QComboBox* timeBox() const { return ComboBox6; }
    QLabel* separatorLabel(int i) const { return i == 0 ? Label1 : Label2; }
    QPushButton* abbreviationsButton() const { return ButtonAbb; }
    // The text ButtonAbb shows in its balloon.
    QString balloonText() const;

protected:
    void setLanguageTexts(const LanguageFile& file, std::string_view section) override;
    void FormShow(const HotKeyEntry& row) override;
    void encode(HotKeyEntry& row) override;

private:
    void ComboBox1Change();
    void showKind();
    void showSeparator();
    void ButtonAbbClick();

    DateTimeModel model_;
    QString abbTitle_;
    QStringList hints_;  // BalloonHint1 ... BalloonHint8
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr, *ComboBox3 = nullptr,
              *ComboBox4 = nullptr, *ComboBox5 = nullptr, *ComboBox6 = nullptr;
    QComboBox* parts_[3] = {};
    QLabel *LabelDateTime1 = nullptr, *LabelDateTime2 = nullptr, *Label1 = nullptr,
           *Label2 = nullptr;
    QPushButton* ButtonAbb = nullptr;
    BalloonTip* balloon_ = nullptr;  // created on the first click
};

}  // namespace vorbix
