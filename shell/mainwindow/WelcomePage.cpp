#include "shell/mainwindow/WelcomePage.h"

#include <QCheckBox>
#include <QLabel>
#include <algorithm>

#include "components/DesignStyle.h"
#include "components/LinkLabel.h"
#include "components/Shape.h"
#include "shell/common/Artwork.h"
#include "shell/mainwindow/MainColors.h"
#include "storage/LanguageFile.h"

namespace vorbix {

using A = AnchorLayout;

WelcomePage::WelcomePage(QWidget* parent, const Artwork& art, int ppi)
    : QWidget(parent), layout_(ppi, kDesign.size()) {
    setObjectName(QStringLiteral("Panel1"));
    auto shape = [this](QRect r, int anchors) {
        auto* s = new TShape(this);
        layout_.place(s, r, anchors);
        return s;
    };
    auto label = [this](QRect r, int anchors = A::L | A::T) {
        auto* l = new QLabel(this);
        layout_.place(l, r, anchors);
        return l;
    };
    Shape8 = shape({0, 0, 765, 420}, A::L | A::T | A::R | A::B);
    // Along the top edge under the welcome tab, joining the two.
    Shape4 = shape({1, 0, 178, 2}, A::L | A::T);
    Title1 = label({54, 64, 153, 129});
    Title1->setPixmap(art.pixmap("Logo.svg", layout_.scale(QSize(128, 128))));
    Title1->setAlignment(Qt::AlignCenter);
    Shape9 = shape({215, 46, 1, 200}, A::L | A::T);
    LabelWelcome1 = label({239, 23, 434, 29}, A::L | A::T | A::R);
    LabelWelcome1->setFont(designFont("Trebuchet MS", 24));
    LabelWelcome2 = label({239, 72, 461, 37}, A::L | A::T | A::R);
    LabelArrow1 = label({239, 115, 12, 16});
    LabelWelcome3 = label({252, 115, 448, 32}, A::L | A::T | A::R);
    Label1 = label({239, 161, 12, 16});
    LabelWelcome4 = label({252, 161, 448, 62}, A::L | A::T | A::R);
    Label2 = label({239, 225, 12, 16});
    LabelWelcome5 = label({252, 225, 448, 30}, A::L | A::T | A::R);
    Label3 = label({239, 255, 12, 16});
    LabelWelcome6 = label({252, 255, 464, 30}, A::L | A::T | A::R);
    for (QLabel* l : {LabelWelcome2, LabelWelcome3, LabelWelcome4, LabelWelcome5, LabelWelcome6,
                      LabelArrow1, Label1, Label2, Label3}) {
        // The desktop's sans-serif runs wider than the designed Tahoma: the text gets a pixel
        // less and the points room for one more line.
        l->setFont(designFont("Tahoma", 12));
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    for (QLabel* l : {LabelArrow1, Label1, Label2, Label3}) l->setText(QStringLiteral("\u00BB"));
    CheckBox1 = new QCheckBox(this);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    layout_.place(CheckBox1, {23, 392, 16, 16}, A::L | A::B);
    connect(CheckBox1, &QCheckBox::clicked, this, &WelcomePage::choiceChanged);
    LabelWelcome8 = new TLinkLabel(this);
    layout_.place(LabelWelcome8, {43, 392, 160, 16}, A::L | A::B);
    connect(LabelWelcome8, &TLinkLabel::clicked, this, [this] {
        CheckBox1->setChecked(!CheckBox1->isChecked());
        emit choiceChanged();
    });
    LabelWelcome7 = label({434, 392, 330, 16}, A::L | A::B);
    LabelWelcome7->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Shape8->lower();
}

void WelcomePage::SetLanguage(const LanguageFile& file, std::string_view section, bool german) {
    german_ = german;
    const std::pair<QLabel*, std::string_view> texts[] = {
        {LabelWelcome1, "LabelWelcome1"}, {LabelWelcome2, "LabelWelcome2"},
        {LabelWelcome3, "LabelWelcome3"}, {LabelWelcome4, "LabelWelcome4"},
        {LabelWelcome5, "LabelWelcome5"}, {LabelWelcome6, "LabelWelcome6"},
        {LabelWelcome7, "LabelWelcome7"}, {LabelWelcome8, "LabelWelcome8"}};
    for (const auto& [label, key] : texts) {
        label->setText(QString::fromStdString(file.text(section, key)));
    }
    placePoints();
    placeClosingLine();
}

void WelcomePage::applyColors(const MainColors& c) {
    Shape8->setColors(c.panel, c.frame);
    Shape4->setColors(c.panel, c.panel);
    Shape9->setColors(c.frame, c.frame);
    LabelWelcome8->setHoverColor(kHoverColor);
    LabelWelcome8->setRestColor(c.text);
}

bool WelcomePage::choiceTicked() const {
    return CheckBox1->isChecked();
}

void WelcomePage::setChoiceTicked(bool ticked) {
    CheckBox1->setChecked(ticked);
}

void WelcomePage::setChoiceEnabled(bool enabled) {
    CheckBox1->setEnabled(enabled);
    LabelWelcome8->setEnabled(enabled);
}

void WelcomePage::placePoints() {
    const std::pair<QLabel*, QLabel*> points[] = {{LabelArrow1, LabelWelcome3},
                                                  {Label1, LabelWelcome4},
                                                  {Label2, LabelWelcome5},
                                                  {Label3, LabelWelcome6}};
    const int designTops[] = {115, 161, 225, 255};
    int bottom = LabelWelcome2->y() + LabelWelcome2->heightForWidth(LabelWelcome2->width());
    for (int i = 0; i < 4; ++i) {
        auto [arrow, text] = points[i];
        const int top = std::max(layout_.scale(designTops[i]), bottom + layout_.scale(14));
        const int height = text->heightForWidth(text->width());
        text->setGeometry(text->x(), top, text->width(), height);
        arrow->move(arrow->x(), top);
        bottom = top + height;
    }
}

void WelcomePage::placeClosingLine() {
    const int windowWidth = parentWidget() ? parentWidget()->width() : width();
    const int left = windowWidth - layout_.scale(german_ ? 377 : 222) - x();
    // Both lines end where the designed German one does, 60 pixels inside the page's edge;
    // a line longer than its designed room starts further left.
    const int right = windowWidth - layout_.scale(21 + 60) - x();
    const int text = LabelWelcome7->fontMetrics().horizontalAdvance(LabelWelcome7->text());
    QRect r = LabelWelcome7->geometry();
    r.setLeft(std::min(left, right - text));
    r.setRight(right);
    if (r != LabelWelcome7->geometry()) LabelWelcome7->setGeometry(r);
}

void WelcomePage::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layout_.relayout(this, size());
    placePoints();
    placeClosingLine();
}

}  // namespace vorbix
