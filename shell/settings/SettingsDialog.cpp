#include "shell/settings/SettingsDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "components/DesignStyle.h"
#include "components/ScreenScale.h"
#include "shell/settings/SettingsAccountPage.h"
#include "shell/settings/SettingsHost.h"
#include "shell/settings/SettingsInterfacePage.h"
#include "shell/settings/SettingsMiscPage.h"
#include "shell/settings/SettingsStartupPage.h"
#include "storage/LanguageKeys.h"

namespace vorbix {

namespace {

constexpr QSize kClient{537, 545};

}  // namespace

TSettings::TSettings(QWidget* parent, SettingsHost& host, const QIcon& icon)
    : FramedDialog(parent, closableFlags(), host.ppi(), kClient), host_(host) {
    setObjectName(QStringLiteral("Settings"));
    const Header header = addHeader(icon);
    Image1 = header.image;
    LabelHeader = header.title;
    LabelCategory = new QLabel(this);
    layout_.place(LabelCategory, {20, 62, 497, 16});
    ComboBoxCategory = new QComboBox(this);
    ComboBoxCategory->setObjectName(QStringLiteral("ComboBoxCategory"));
    ComboBoxCategory->addItems({QString(), QString(), QString(), QString()});
    layout_.place(ComboBoxCategory, {20, 81, 497, 24});
    LabelCategory->setBuddy(ComboBoxCategory);

    Panel1 = new SettingsInterfacePage(this, host);
    Panel2 = new SettingsStartupPage(this, host.ppi());
    Panel3 = new SettingsAccountPage(this, host);
    Panel4 = new SettingsMiscPage(this, host.ppi(), host.keyNames());
    pages_ = {Panel1, Panel2, Panel3, Panel4};
    for (SettingsPage* page : pages_) {
        layout_.place(page, SettingsPage::kDesign);
        page->bind(bindings_);
    }
    connect(Panel1, &SettingsInterfacePage::languageChanged, this,
            [this] { LanguageChanged = true; });
    // While the elevated step runs (its password prompt open) the dialog takes no input.
    connect(Panel3, &SettingsAccountPage::busy, this,
            [this](bool running) { setEnabled(!running); });
    connect(ComboBoxCategory, &QComboBox::currentIndexChanged, this,
            [this](int entry) { ComboBoxCategoryChange(entry); });

    ButtonDefaultSettings = new QPushButton(this);
    ButtonDefaultSettings->setObjectName(QStringLiteral("ButtonDefaultSettings"));
    layout_.place(ButtonDefaultSettings, {8, 510, 170, 28});
    ButtonCancel = new QPushButton(this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    layout_.place(ButtonCancel, {428, 510, 102, 28});
    ButtonSave = new QPushButton(this);
    ButtonSave->setObjectName(QStringLiteral("ButtonSave"));
    layout_.place(ButtonSave, {323, 510, 99, 28});
    ButtonSave->setDefault(true);
    ButtonSave->setAutoDefault(true);
    ButtonCancel->setAutoDefault(false);
    ButtonDefaultSettings->setAutoDefault(false);
    connect(ButtonSave, &QPushButton::clicked, this, [this] { ButtonSaveClick(); });
    connect(ButtonCancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(ButtonDefaultSettings, &QPushButton::clicked, this,
            [this] { ButtonDefaultSettingsClick(); });
    if (std::function<void()> open = host_.desktopShortcuts()) {
        ButtonDesktopShortcuts = new QPushButton(this);
        ButtonDesktopShortcuts->setObjectName(QStringLiteral("ButtonDesktopShortcuts"));
        layout_.place(ButtonDesktopShortcuts, {184, 510, 133, 28});
        ButtonDesktopShortcuts->setAutoDefault(false);
        connect(ButtonDesktopShortcuts, &QPushButton::clicked, this, std::move(open));
    }

    setFixedSize(layout_.scale(kClient));
    ComboBoxCategoryChange(0);
}

TSettings::~TSettings() = default;

void TSettings::FormCreate() {
    SetLanguage(std::string(lang::kSettings));
    LoadConfig();
}

void TSettings::FormShow() {
    LoadConfig();
    centreOnScreen(*this);
    open();
    ComboBoxCategory->setFocus();
}

void TSettings::SetLanguage(const std::string& section) {
    const LanguageFile& file = host_.language().file();
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    setWindowTitle(t("FormCaption"));
    LabelHeader->setText(t("LabelHeader"));
    LabelCategory->setText(t("LabelCategory"));
    const std::string_view entries[] = {"HeaderGUI", "HeaderStartup", "HeaderUserAccounts",
                                        "HeaderMiscellaneous"};
    for (int i = 0; i < 4; ++i) ComboBoxCategory->setItemText(i, t(entries[i]));
    ButtonSave->setText(t("ButtonSave"));
    ButtonCancel->setText(t("ButtonCancel"));
    ButtonDefaultSettings->setText(t("ButtonDefaultSettings"));
    if (ButtonDesktopShortcuts) ButtonDesktopShortcuts->setText(t("ButtonDesktopShortcuts"));
    for (SettingsPage* page : pages_) page->SetLanguage(file, section);
}

void TSettings::LoadConfig() {
    loaded_ = host_.storedSettings();
    bindings_.load(loaded_);
    Panel2->setChoice(
        autostartChoiceOf(host_.autostart().value(), host_.autostart().programPath()));
    Panel3->load();
    LanguageChanged = false;
}

void TSettings::ButtonSaveClick() {
    // The capture fields give up the keyboard before their values are read.
    ButtonSave->setFocus();
    SettingsConfig settings = loaded_;
    bindings_.store(settings);
    host_.confirm(settings, Panel2->choice(), LanguageChanged, [this] { accept(); });
}

void TSettings::ButtonDefaultSettingsClick() {
    host_.prompter().confirmThen(
        true, host_.language().file().text(lang::kSettings, "MessageDefaultSettings"),
        [this] { resetControls(); });
}

void TSettings::resetControls() {
    SettingsConfig settings = loaded_;
    bindings_.store(settings);
    AutostartChoice autostart = Panel2->choice();
    resetToDefaults(settings, autostart);
    bindings_.load(settings);
    Panel2->setChoice(autostart);
}

void TSettings::ComboBoxCategoryChange(int entry) {
    if (entry < 0 || entry >= int(pages_.size())) return;
    if (ComboBoxCategory->currentIndex() != entry) ComboBoxCategory->setCurrentIndex(entry);
    for (size_t i = 0; i < pages_.size(); ++i) pages_[i]->setVisible(int(i) == entry);
}

}  // namespace vorbix
