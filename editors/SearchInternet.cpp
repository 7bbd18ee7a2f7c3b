#include "editors/SearchInternet.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "components/DesignStyle.h"
#include "components/ScreenScale.h"
#include "core/SearchAddress.h"
#include "editors/EditorHost.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

using A = AnchorLayout;
constexpr QSize kDesignSize(498, 287);

}  // namespace

TSearchInternet::TSearchInternet(EditorHost& host, const QIcon& icon, Opener open)
    : FramedDialog(nullptr, closableFlags(), host.ppi(), kDesignSize),
      host_(host),
      open_(std::move(open)) {
    setObjectName(
        QString::fromLatin1(lang::kSearchInternet.data(), int(lang::kSearchInternet.size())));
    setSizeGripEnabled(false);
    const int w = kDesignSize.width();
    const int h = kDesignSize.height();
    const Header header = addHeader(icon);
    Image1 = header.image;
    LabelHeader = header.title;
    LabelSearchInternet1 = new QLabel(this);
    layout_.place(LabelSearchInternet1, {20, 64, 458, 16}, A::L | A::T | A::R);
    EditSearch = new QLineEdit(this);
    EditSearch->setObjectName(QStringLiteral("EditSearch"));
    layout_.place(EditSearch, {20, 80, 458, 24}, A::L | A::T | A::R);
    LabelSearchInternet1->setBuddy(EditSearch);
    // The picture button at the box's right end; it shows itself hot and pressed.
    searchAction_ = EditSearch->addAction(host.icon("edit-find", "Actions/search.svg"),
                                          QLineEdit::TrailingPosition);
    ButtonClose = new QPushButton(this);
    ButtonClose->setObjectName(QStringLiteral("ButtonClose"));
    layout_.place(ButtonClose, {w - 7 - 102, h - 7 - 28, 102, 28}, A::R | A::B);
    // Enter belongs to the box alone: no button is pressed by it as well.
    ButtonClose->setAutoDefault(false);
    ButtonClose->setDefault(false);
    connect(EditSearch, &QLineEdit::returnPressed, this, [this] { RunSearch(); });
    connect(searchAction_, &QAction::triggered, this, [this] { RunSearch(); });
    // Esc and the close box reject the dialog, which hides it.
    connect(ButtonClose, &QPushButton::clicked, this, [this] { reject(); });
    resize(layout_.scale(kDesignSize));
    setMinimumSize(layout_.scale(kDesignSize));
    setProvider({});
}

void TSearchInternet::FormCreate() {
    SetLanguage(std::string(lang::kSearchInternet));
}

void TSearchInternet::SetLanguage(const std::string& section) {
    const LanguageFile& file = host_.language().file();
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    setWindowTitle(t("FormCaption"));
    sLabelHeader = t("LabelHeader");
    LabelSearchInternet1->setText(t("LabelSearchInternet1"));
    ButtonClose->setText(t("ButtonClose"));
    setProvider(provider_);
}

void TSearchInternet::setProvider(const std::string& name) {
    const std::string_view known = searchProviders()[searchProviderOfRow(name)].name;
    provider_ = std::string(known);
    LabelHeader->setText(sLabelHeader + QLatin1Char(' ') + QString::fromStdString(provider_));
}

void TSearchInternet::FormShow(const std::string& providerName) {
    setProvider(providerName);
    EditSearch->clear();
    if (!isVisible()) centreOnScreen(*this);
    show();
    raise();
    activateWindow();
    EditSearch->setFocus();
    // The window manager's activation request: the window comes to the front with the focus,
    // though the program did not have the last input.
    if (WindowControl* windows = host_.desktop().windows) windows->forceForeground(winId());
}

void TSearchInternet::RunSearch() {
    // Hidden first, so a second Enter or click that arrives meanwhile searches nothing.
    if (!isVisible()) return;
    hide();
    const std::string term = EditSearch->text().toStdString();
    const std::string address =
        searchAddress(searchProviderOfRow(provider_), term, host_.texts().current.language);
    if (open_) open_(address);
}

}  // namespace vorbix
