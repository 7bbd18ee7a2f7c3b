#include "shell/mainwindow/AboutBox.h"

#include <QLabel>

#include "VorbixVersion.h"
#include "components/DesignStyle.h"
#include "components/LinkLabel.h"
#include "components/ScreenScale.h"
#include "components/Shape.h"
#include "core/Endpoints.h"
#include "shell/common/Artwork.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

constexpr QSize kClient{563, 350};
const QColor kLinkColor{0x00, 0x00, 0xFF};  // $FF0000: blue
const QColor kLinkHover{0xFF, 0x00, 0x00};  // $0000FF: red

QLabel* textLabel(QWidget* parent, const QFont& font) {
    auto* l = new QLabel(parent);
    l->setFont(font);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(pal);
    return l;
}

}  // namespace

TAbout::TAbout(QWidget* parent, const LanguageSource& language, const Artwork& art, int ppi,
               std::function<void(const std::string&)> openPage)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      language_(language),
      openPage_(std::move(openPage)),
      layout_(ppi, kClient) {
    setObjectName(QStringLiteral("About"));
    setFont(designFont("Tahoma", 13));
    auto* right = new TShape(this);
    right->setColors(Qt::white, Qt::white);
    layout_.place(right, {168, 0, 395, 350});
    ImageLeft = new QLabel(this);
    layout_.place(ImageLeft, {0, 0, 167, 350});
    ImageLeft->setScaledContents(true);
    ImageLeft->setPixmap(art.pixmap("AboutArt.svg", layout_.scale(QSize(167, 350))));
    ImageLogo = new QLabel(this);
    layout_.place(ImageLogo, {33, 251, 96, 96});
    ImageLogo->setPixmap(art.pixmap("Logo.svg", layout_.scale(QSize(96, 96))));

    LabelAbout1 = textLabel(this, designFont("Trebuchet MS", 29));
    LabelAbout1->setText(QStringLiteral("Pellmarr"));
    layout_.place(LabelAbout1, {183, 8, 370, 34});
    LabelAbout2 = textLabel(this, designFont("Trebuchet MS", 32, true));
    LabelAbout2->setText(QStringLiteral("Vorbix"));
    layout_.place(LabelAbout2, {182, 40, 370, 40});
    LabelAbout3 = textLabel(this, font());
    LabelAbout3->setWordWrap(true);
    layout_.place(LabelAbout3, {184, 84, 365, 18});
    LabelAbout4 = new TLinkLabel(this);
    QFont linkFont = designFont("Tahoma", 13);
    linkFont.setUnderline(true);
    LabelAbout4->setFont(linkFont);
    LabelAbout4->setObjectName(QStringLiteral("LabelAbout4"));
    LabelAbout4->setHoverColor(kLinkHover);
    LabelAbout4->setRestColor(kLinkColor);
    layout_.place(LabelAbout4, {184, 106, 365, 18});
    connect(LabelAbout4, &TLinkLabel::clicked, this, [this] { LabelAbout4Click(); });
    LabelAbout6 = textLabel(this, font());
    LabelAbout6->setObjectName(QStringLiteral("LabelAbout6"));
    LabelAbout6->setText(QStringLiteral("Version ") +
                         QString::fromLatin1(kVersionText.data(), qsizetype(kVersionText.size())));
    LabelAbout6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout_.place(LabelAbout6, {360, 258, 193, 18});
    setFixedSize(layout_.scale(kClient));
}

void TAbout::FormCreate() {
    SetLanguage(std::string(lang::kAbout));
}

void TAbout::FormShow() {
    centreOnScreen(*this);
    open();
}

void TAbout::SetLanguage(const std::string& section) {
    const LanguageFile& file = language_.file();
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    setWindowTitle(t("FormCaption"));
    LabelAbout3->setText(t("LabelAbout3"));
    LabelAbout4->setText(t("LabelAbout4"));
    LabelAbout4->adjustSize();
}

void TAbout::LabelAbout4Click() {
    LabelAbout4->showColor(LabelAbout4->restColor());
    if (openPage_) openPage_(productPageUrl(language_.language()));
}

}  // namespace vorbix
