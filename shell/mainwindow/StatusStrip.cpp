#include "shell/mainwindow/StatusStrip.h"

#include <QFontMetrics>
#include <algorithm>

#include "components/DesignStyle.h"
#include "components/LinkLabel.h"
#include "components/Shape.h"
#include "core/HotKeyTable.h"
#include "core/TextUtil.h"
#include "shell/common/Artwork.h"
#include "shell/mainwindow/MainColors.h"
#include "storage/LanguageFile.h"

namespace vorbix {

using A = AnchorLayout;

StatusStrip::StatusStrip(QWidget* parent, const Artwork& art, int ppi)
    : QWidget(parent), layout_(ppi, kDesign.size()) {
    // Positions relative to the strip, which lies at the bottom of the window.
    Shape2 = new TShape(this);
    layout_.place(Shape2, {0, 0, 807, 24}, A::L | A::T | A::R);
    StatusbarLabel1 = new QLabel(this);
    layout_.place(StatusbarLabel1, {600, 4, 100, 16}, A::R);
    StatusbarLabel1->setObjectName(QStringLiteral("StatusbarLabel1"));
    StatusbarLabel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    StatusbarLabel1->setFont(designFont("Tahoma", 12));
    LabelProblems = new QLabel(this);
    layout_.place(LabelProblems, {430, 4, 160, 16}, A::R);
    LabelProblems->setObjectName(QStringLiteral("LabelProblems"));
    LabelProblems->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LabelProblems->setFont(designFont("Tahoma", 12));
    ImageProblems = new QLabel(this);
    layout_.place(ImageProblems, {412, 4, 16, 16}, A::R);
    ImageProblems->setPixmap(art.icon("", "Warning.svg").pixmap(layout_.scale(QSize(16, 16))));
    LabelProblems->hide();
    ImageProblems->hide();
    Shape6 = new TShape(this);
    layout_.place(Shape6, {707, 0, 1, 24}, A::R);
    auto image = [&](const char* file) {
        auto* im = new TLinkLabel(this, false);
        layout_.place(im, {713, 4, 16, 16}, A::R);
        im->setPixmap(art.icon("", file).pixmap(layout_.scale(QSize(16, 16))));
        return im;
    };
    Image5 = image("Active.svg");
    Image6 = image("Inactive.svg");
    Image6->hide();
    LabelDeactivated = new TLinkLabel(this);
    layout_.place(LabelDeactivated, {731, 3, 76, 18}, A::R);
    LabelDeactivated->setObjectName(QStringLiteral("LabelDeactivated"));
    LabelDeactivated->setToolTip(QStringLiteral("WIN+N"));
    LabelDeactivated->setFont(designFont("Tahoma", 12));
    LabelDeactivated->setText(QStringLiteral("Aktiviert"));
    for (TLinkLabel* l : {Image5, Image6, LabelDeactivated}) {
        connect(l, &TLinkLabel::clicked, this, &StatusStrip::activationClicked);
    }
    Shape2->lower();
}

void StatusStrip::setCount(size_t rows) {
    StatusbarLabel1->setText(QString::fromStdString(hotKeyCountText(rows)));
}

void StatusStrip::setProblemRows(size_t rows) {
    problemRows_ = rows;
    showProblems();
}

void StatusStrip::showProblems() {
    LabelProblems->setVisible(problemRows_ > 0);
    ImageProblems->setVisible(problemRows_ > 0);
    if (problemRows_ == 0) return;
    LabelProblems->setText(
        QString::fromStdString(fillPlaceholder(problemsText_, "%d", std::to_string(problemRows_))));
    const int textWidth = LabelProblems->fontMetrics().horizontalAdvance(LabelProblems->text());
    const QRect label = LabelProblems->geometry();
    const int size = ImageProblems->height();
    ImageProblems->move(label.right() + 1 - textWidth - layout_.scale(4) - size,
                        label.top() + (label.height() - size) / 2);
}

void StatusStrip::setActive(bool on) {
    Image5->setVisible(on);
    Image6->setVisible(!on);
    LabelDeactivated->setText(QString::fromStdString(on ? labelActivated_ : labelDeactivated_));
}

void StatusStrip::SetLanguage(const LanguageFile& file, std::string_view section) {
    const QString current = LabelDeactivated->text();
    const bool showsActive = current == QStringLiteral("Aktiviert") ||
                             current == QStringLiteral("Activated") ||
                             current == QString::fromStdString(labelActivated_);
    labelActivated_ = file.text(section, "LabelActivated");
    labelDeactivated_ = file.text(section, "LabelDeactivated");
    problemsText_ = file.text(section, "StatusRefusedRows");
    if (problemsText_.empty()) problemsText_ = "%d";
    showProblems();
    LabelDeactivated->setText(
        QString::fromStdString(showsActive ? labelActivated_ : labelDeactivated_));
    fitActivationText();
}

void StatusStrip::fitActivationText() {
    // The designed place assumes Tahoma: in a wider font the longer of the two words would
    // run into the window's edge. The activation part (separator, icon, word) and the row
    // count move left by what the word needs beyond its designed room (4 pixels to the edge).
    const QFontMetrics metrics(LabelDeactivated->font());
    const int word = std::max(metrics.horizontalAdvance(QString::fromStdString(labelActivated_)),
                              metrics.horizontalAdvance(QString::fromStdString(labelDeactivated_)));
    const int room = layout_.scale(807 - 731 - 4);
    const int shift = word > room ? (word - room) * 96 / layout_.ppi() + 1 : 0;
    layout_.replace(StatusbarLabel1, {600 - shift, 4, 100, 16});
    layout_.replace(Shape6, {707 - shift, 0, 1, 24});
    layout_.replace(Image5, {713 - shift, 4, 16, 16});
    layout_.replace(Image6, {713 - shift, 4, 16, 16});
    layout_.replace(LabelDeactivated, {731 - shift, 3, 76 + shift, 18});
}

void StatusStrip::applyColors(const MainColors& c) {
    Shape2->setColors(c.panel, c.frame);
    Shape6->setColors(c.frame, c.frame);
    LabelDeactivated->setHoverColor(kHoverColor);
    LabelDeactivated->setRestColor(c.text);
}

QString StatusStrip::activationText() const {
    return LabelDeactivated->text();
}

bool StatusStrip::activeIconShown() const {
    return !Image5->isHidden() && Image6->isHidden();
}

void StatusStrip::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layout_.relayout(this, size());
    showProblems();
}

}  // namespace vorbix
