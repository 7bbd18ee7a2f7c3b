#include "editors/DateTime.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "components/BalloonTip.h"
#include "components/DesignStyle.h"
#include "editors/EditorHost.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

using A = AnchorLayout;
constexpr EditorDialog::Design kDesign{lang::kDateTime, {498, 287}, {498, 287}};
// How long the abbreviations stay in view.
constexpr int kBalloonMs = 8000;

QComboBox* listBox(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

TDateTime::TDateTime(QWidget* parent, EditorHost& host, const QIcon& icon)
    : EditorDialog(parent, host, kDesign, icon) {
    ComboBox1 = listBox(this, "ComboBox1");
    ComboBox1->addItems({QString(), QString()});
    layout().place(ComboBox1, {20, 61, 458, 24}, A::L | A::T | A::R);
    LabelDateTime1 = new QLabel(this);
    layout().place(LabelDateTime1, {20, 99, 458, 16}, A::L | A::T | A::R);

    QStringList partItems;
    for (std::string_view p : kDateParts) partItems << QString::fromLatin1(p.data(), int(p.size()));
    const struct {
        const char* name;
        QRect place;
    } partPlaces[] = {{"ComboBox2", {20, 116, 59, 24}},
                      {"ComboBox3", {110, 116, 65, 24}},
                      {"ComboBox4", {206, 116, 65, 24}}};
    for (int i = 0; i < 3; ++i) {
        parts_[i] = listBox(this, partPlaces[i].name);
        parts_[i]->addItems(partItems);
        parts_[i]->setCurrentIndex(kDefaultDateParts[size_t(i)]);
        layout().place(parts_[i], partPlaces[i].place);
    }
    ComboBox2 = parts_[0];
    ComboBox3 = parts_[1];
    ComboBox4 = parts_[2];
    const QFont separatorFont = designFont("Tahoma", 12, true);
    Label1 = new QLabel(QStringLiteral("."), this);
    Label2 = new QLabel(QStringLiteral("."), this);
    for (QLabel* l : {Label1, Label2}) {
        l->setFont(separatorFont);
        l->setAlignment(Qt::AlignCenter);
    }
    // Centred between the lists.
    layout().place(Label1, {82, 120, 26, 16});
    layout().place(Label2, {178, 120, 26, 16});

    ComboBox6 = listBox(this, "ComboBox6");
    for (std::string_view f : kTimeFormats)
        ComboBox6->addItem(QString::fromLatin1(f.data(), int(f.size())));
    layout().place(ComboBox6, {20, 116, 458, 24}, A::L | A::T | A::R);
    ComboBox6->hide();
    LabelDateTime1->setBuddy(ComboBox2);

    LabelDateTime2 = new QLabel(this);
    layout().place(LabelDateTime2, {20, 152, 458, 16}, A::L | A::T | A::R);
    ComboBox5 = listBox(this, "ComboBox5");
    ComboBox5->addItems({QString(), QString(), QString()});
    layout().place(ComboBox5, {20, 168, 181, 24});
    LabelDateTime2->setBuddy(ComboBox5);

    // Drawn like a link beside OK.
    ButtonAbb = new QPushButton(this);
    ButtonAbb->setObjectName(QStringLiteral("ButtonAbb"));
    ButtonAbb->setFlat(true);
    ButtonAbb->setAutoDefault(false);
    ButtonAbb->setCursor(Qt::PointingHandCursor);
    ButtonAbb->setStyleSheet(QStringLiteral(
        "QPushButton { color: #0000FF; text-decoration: underline; border: none; }"));
    layout().place(ButtonAbb, {189, 252, 89, 28}, A::R | A::B);

    setTabOrder(ComboBox1, ComboBox2);
    setTabOrder(ComboBox2, ComboBox3);
    setTabOrder(ComboBox3, ComboBox4);
    setTabOrder(ComboBox4, ComboBox6);
    setTabOrder(ComboBox6, ComboBox5);
    setTabOrder(ComboBox5, ButtonAbb);
    setTabOrder(ButtonAbb, saveButton());
    setTabOrder(saveButton(), cancelButton());
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
    connect(ComboBox5, &QComboBox::currentIndexChanged, this, [this] { showSeparator(); });
    connect(ButtonAbb, &QPushButton::clicked, this, [this] { ButtonAbbClick(); });
}

void TDateTime::setLanguageTexts(const LanguageFile& file, std::string_view section) {
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    ComboBox1->setItemText(0, t("Combobox1Item1"));
    ComboBox1->setItemText(1, t("Combobox1Item2"));
    LabelDateTime1->setText(t("LabelDateTime1"));
    LabelDateTime2->setText(t("LabelDateTime2"));
    const std::string_view separators[] = {"Combobox5Item1", "Combobox5Item2", "Combobox5Item3"};
    for (int i = 0; i < 3; ++i) ComboBox5->setItemText(i, t(separators[i]));
    abbTitle_ = t("ButtonAbb");
    ButtonAbb->setText(abbTitle_);
    hints_.clear();
    for (int i = 1; i <= 8; ++i) hints_ << t("BalloonHint" + std::to_string(i));
}

void TDateTime::FormShow(const HotKeyEntry& row) {
    model_.decode(row.PropertiesText, host().texts());
    const QSignalBlocker block(ComboBox1);
    ComboBox1->setCurrentIndex(int(model_.kind));
    for (int i = 0; i < 3; ++i) parts_[i]->setCurrentIndex(model_.parts[size_t(i)]);
    ComboBox5->setCurrentIndex(model_.separator);
    // A stored time format that is none of the entries shows as the list's empty text and is
    // kept unless another entry is chosen.
    ComboBox6->setPlaceholderText(QString::fromStdString(model_.keptTime));
    ComboBox6->setCurrentIndex(model_.time);
    showKind();
    showSeparator();
    ComboBox1->setFocus();
}

void TDateTime::ComboBox1Change() {
    ComboBox5->setCurrentIndex(0);
    showKind();
}

void TDateTime::showKind() {
    const bool date = ComboBox1->currentIndex() != int(DateTimeKind::Time);
    for (QWidget* w : {static_cast<QWidget*>(ComboBox2), static_cast<QWidget*>(ComboBox3),
                       static_cast<QWidget*>(ComboBox4), static_cast<QWidget*>(Label1),
                       static_cast<QWidget*>(Label2), static_cast<QWidget*>(ComboBox5),
                       static_cast<QWidget*>(LabelDateTime2)}) {
        w->setVisible(date);
    }
    ComboBox6->setVisible(!date);
    LabelDateTime1->setBuddy(date ? ComboBox2 : ComboBox6);
}

void TDateTime::showSeparator() {
    const int i = std::max(0, ComboBox5->currentIndex());
    const QString c(QChar::fromLatin1(kDateSeparators[size_t(i)]));
    Label1->setText(c);
    Label2->setText(c);
}

QString TDateTime::balloonText() const {
    const auto h = [this](int i) { return hints_.value(i - 1).toHtmlEscaped(); };
    return QStringLiteral("<b>%1</b><br>%2<br><br>%3<br>%4<br>%5<br><br>%6<br><br>%7<br>%8<br>%9")
        .arg(abbTitle_.toHtmlEscaped(), h(1), h(2), h(3), h(4), h(5), h(6), h(7), h(8));
}

void TDateTime::ButtonAbbClick() {
    if (!balloon_) balloon_ = new BalloonTip(this);
    balloon_->showAt(ButtonAbb, balloonText(), kBalloonMs);
}

void TDateTime::encode(HotKeyEntry& row) {
    model_.kind = DateTimeKind(std::max(0, ComboBox1->currentIndex()));
    for (int i = 0; i < 3; ++i) {
        const int selected = parts_[i]->currentIndex();
        model_.parts[size_t(i)] = selected >= 0 ? selected : kDefaultDateParts[size_t(i)];
    }
    model_.separator = std::max(0, ComboBox5->currentIndex());
    model_.time = ComboBox6->currentIndex();
    model_.encode(row);
}

}  // namespace vorbix
