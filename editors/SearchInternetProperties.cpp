#include "editors/SearchInternetProperties.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "core/SearchAddress.h"
#include "editors/EditorHost.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

using A = AnchorLayout;
constexpr EditorDialog::Design kDesign{lang::kSearchInternetProperties, {498, 287}, {498, 287}};

}  // namespace

const char* const TSearchInternetProperties::kProviderImages[] = {
    "Providers/google.svg", "Providers/youtube.svg", "Providers/wikipedia.svg",
    "Providers/ebay.svg",   "Providers/amazon.svg",  "Providers/bing.svg"};

TSearchInternetProperties::TSearchInternetProperties(QWidget* parent, EditorHost& host,
                                                     const QIcon& icon)
    : EditorDialog(parent, host, kDesign, icon) {
    LabelProvider = new QLabel(this);
    layout().place(LabelProvider, {20, 64, 458, 16}, A::L | A::T | A::R);
    ComboBoxProvider = new QComboBox(this);
    ComboBoxProvider->setObjectName(QStringLiteral("ComboBoxProvider"));
    ComboBoxProvider->setIconSize(layout().scale(QSize(16, 16)));
    for (size_t i = 0; i < kSearchProviderCount; ++i) {
        ComboBoxProvider->addItem(host.icon("", kProviderImages[i]),
                                  QString::fromUtf8(searchProviders()[i].name.data(),
                                                    int(searchProviders()[i].name.size())));
    }
    layout().place(ComboBoxProvider, {20, 80, 458, 24}, A::L | A::T | A::R);
    LabelProvider->setBuddy(ComboBoxProvider);
    connect(ComboBoxProvider, &QComboBox::currentIndexChanged, this, [this] { updateOkButton(); });
    setTabOrder(ComboBoxProvider, saveButton());
    setTabOrder(saveButton(), cancelButton());
}

void TSearchInternetProperties::setLanguageTexts(const LanguageFile& file,
                                                 std::string_view section) {
    LabelProvider->setText(QString::fromStdString(file.text(section, "LabelProvider")));
}

void TSearchInternetProperties::FormShow(const HotKeyEntry& row) {
    model_.decode(row, host().texts());
    ComboBoxProvider->setCurrentIndex(model_.provider);
    ComboBoxProvider->setFocus();
}

void TSearchInternetProperties::encode(HotKeyEntry& row) {
    model_.provider = ComboBoxProvider->currentIndex();
    model_.encode(row);
}

bool TSearchInternetProperties::okAvailable() const {
    return ComboBoxProvider->currentIndex() >= 0;
}

}  // namespace vorbix
