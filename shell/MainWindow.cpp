#include "shell/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>

#include "components/HotkeyEx.h"
#include "core/Endpoints.h"
#include "core/VolumeAction.h"
#include "shell/Artwork.h"
#include "shell/QtPrompter.h"
#include "shell/ShellCore.h"
#include "shell/Widgets.h"
#include "storage/ActionEffects.h"
#include "storage/Colors.h"
#include "storage/ConfigFile.h"
#include "storage/ConfigWindows.h"
#include "storage/HotKeyFile.h"
#include "storage/HtmlExport.h"
#include "storage/LanguageFile.h"
#include "storage/LanguageKeys.h"
#include "storage/StorageLocations.h"

namespace vorbix {

namespace {

using A = AnchorLayout;
constexpr int kDesignWidth = 807;
constexpr int kDesignHeight = 532;
const QColor kHoverColor(0x59, 0xA3, 0xFF);

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// A Windows filter "Text|*.ext" as a Qt filter "Text (*.ext)".
QString qtFilter(const std::string& filter) {
    // "Text (*.ext)|*.ext": the patterns that count are those after "|"; "*.*" means every file.
    const QString f = q(filter);
    const int bar = f.indexOf('|');
    if (bar < 0) return f;
    QString text = f.left(bar).trimmed();
    QString patterns = f.mid(bar + 1).replace(';', ' ').trimmed();
    patterns.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    const int paren = text.lastIndexOf('(');
    if (paren > 0 && text.endsWith(')')) text = text.left(paren).trimmed();
    return QStringLiteral("%1 (%2)").arg(text, patterns);
}

// The desktop's palette with every colour set, so that a widget given it keeps the desktop's
// colours instead of inheriting the window's own scheme.
QPalette desktopPalette() {
    QPalette p = QApplication::palette();
    p.setResolveMask(~QPalette::ResolveMask(0));
    return p;
}

QFont designFont(const char* family, int pixelSize, bool bold = false) {
    QFont f(QString::fromLatin1(family));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

}  // namespace

QColor toQColor(ColorValue c, const QPalette& palette) {
    if (isSystemColor(c)) {
        switch (systemColorNumber(c)) {
            case 5:
                return palette.color(QPalette::Base);
            case 8:
            case 7:
            case 18:
                return palette.color(QPalette::WindowText);
            case 13:
                return palette.color(QPalette::Highlight);
            case 14:
                return palette.color(QPalette::HighlightedText);
            case 16:
                return palette.color(QPalette::Dark);
            case 20:
                return palette.color(QPalette::Light);
            default:
                return palette.color(QPalette::Button);
        }
    }
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TMain::TMain(ShellEnvironment env, QWidget* parent) : QWidget(parent), env_(std::move(env)) {
    setWindowTitle(QStringLiteral("Vorbix"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    art_ = std::make_unique<Artwork>(env_.programFolder);
    if (!env_.prompter) {
        ownPrompter_ = std::make_unique<QtPrompter>(this);
        env_.prompter = ownPrompter_.get();
    }
    static const BuiltinKeyNames fallbackNames(BuiltinKeyNames::Group::German);
    if (!env_.keyNames) env_.keyNames = &fallbackNames;
    layout_ = std::make_unique<AnchorLayout>(env_.ppi, QSize(kDesignWidth, kDesignHeight));
    menuLayout_ = std::make_unique<AnchorLayout>(env_.ppi, QSize(805, 23));
    pageLayout_ = std::make_unique<AnchorLayout>(env_.ppi, QSize(765, 420));

    ShellCoreSetup setup{
        *env_.hotKeys,
        *env_.keyNames,
        texts_,
        *env_.prompter,
        *this,
        env_.desktop,
        env_.permissions,
        hotKeyPath(),
        configPath(),
        [this](std::string_view key) { return msg(std::string(key)); },
        LanguageFile::loadCatalogue(env_.programFolder),
    };
    core_ = std::make_unique<ShellCore>(std::move(setup));

    setFont(designFont("Tahoma", 13));
    buildActions();
    buildWidgets();
    buildMenus();
    buildTray();
    resize(layout_->scale(kDesignWidth), layout_->scale(kDesignHeight));
    setMinimumSize(layout_->scale(kDesignWidth), layout_->scale(kDesignHeight));
    ShowWelcome();
}

TMain::~TMain() {
    if (Tray) Tray->hide();
}

HotKeyTable& TMain::table() {
    return core_->table;
}
bool TMain::active() const {
    return core_->registry.active();
}
std::string TMain::configPath() const {
    return configFilePath(env_.dataFolder);
}
std::string TMain::hotKeyPath() const {
    return hotKeyFilePath(env_.dataFolder);
}
QLabel* TMain::statusCountLabel() const {
    return StatusbarLabel1;
}
QString TMain::activationText() const {
    return LabelDeactivated->text();
}
bool TMain::activeIconShown() const {
    return !Image5->isHidden() && Image6->isHidden();
}
bool TMain::welcomeShown() const {
    return !Panel1->isHidden();
}

std::string TMain::msg(const std::string& key) const {
    return LanguageFile::fromText(languageFileText_).text(lang::kMain, key);
}

// ---------------------------------------------------------------------------------------------
// Building the window

void TMain::buildActions() {
    auto make = [this](QAction*& a, const char* name, auto slot) {
        a = new QAction(this);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot);
    };
    make(MenuOpen, "MenuOpen", [this] { MenuOpenExecute(); });
    make(MenuSaveAs, "MenuSaveAs", [] {});
    make(MenuSave, "MenuSave", [this] { MenuSaveExecute(); });
    make(MenuSave2, "MenuSave2", [this] { MenuSave2Execute(); });
    make(MenuLoadConfig, "MenuLoadConfig", [this] { MenuLoadConfigExecute(); });
    make(MenuSaveConfig, "MenuSaveConfig", [this] { MenuSaveConfigExecute(); });
    make(MenuClose, "MenuClose", [this] { MenuCloseExecute(); });
    make(MenuDeleteAll, "MenuDeleteAll", [this] { MenuDeleteAllExecute(); });
    make(MenuDeleteSelected, "MenuDeleteSelected", [this] { MenuDeleteSelectedExecute(); });
    make(MenuWelcome, "MenuWelcome", [this] { ShowWelcome(); });
    make(MenuMyHotKeys, "MenuMyHotKeys", [this] { ShowMyHotKeys(); });
    // The settings dialog and the update search come with their own windows.
    make(MenuSettings, "MenuSettings", [] {});
    make(MenuHelpTopics, "MenuHelpTopics", [] {});
    make(MenuSearchForUpdates, "MenuSearchForUpdates", [] {});
    make(MenuAbout, "MenuAbout", [] {});
    make(PopupStart, "PopupStart", [this] { PopupStartExecute(); });
    make(PopupClose, "PopupClose", [this] { MenuCloseExecute(); });
    make(PopupDeactivate, "PopupDeactivate", [this] { PopupDeactivateExecute(); });
    make(HelpKeyComb, "HelpKeyComb", [this] {
        env_.prompter->showMessage(msg("MessageKeyComb1") + "\r\n\r\n" + msg("MessageKeyComb2") +
                                       "\r\n\r\n" + msg("MessageKeyComb3") + "\r\n\r\n" +
                                       msg("MessageKeyComb4"),
                                   MessageType::Information);
    });
    make(HelpLocation, "HelpLocation",
         [this] { env_.prompter->showMessage(msg("MessageLocation"), MessageType::Information); });
    MenuDeleteSelected->setShortcut(QKeySequence(Qt::Key_Delete));
    MenuDeleteSelected->setShortcutContext(Qt::WindowShortcut);
    addAction(MenuDeleteSelected);
    MenuSettings->setEnabled(false);
    MenuSearchForUpdates->setEnabled(false);
    MenuAbout->setEnabled(false);
    QFont bold = font();
    bold.setBold(true);
    PopupStart->setFont(bold);
}

QAction* TMain::action(const QString& name) const {
    for (QAction* a : findChildren<QAction*>()) {
        if (a->objectName() == name) return a;
    }
    return nullptr;
}

void TMain::buildWidgets() {
    setAutoFillBackground(true);
    auto shape = [this](QWidget* parent, QRect r, int anchors, AnchorLayout& l) {
        auto* s = new TShape(parent);
        l.place(s, r, anchors);
        return s;
    };
    auto label = [](QWidget* parent, AnchorLayout& l, QRect r, int anchors = A::L | A::T) {
        auto* lb = new QLabel(parent);
        l.place(lb, r, anchors);
        return lb;
    };
    auto link = [](QWidget* parent, AnchorLayout& l, QRect r, int anchors = A::L | A::T,
                   bool text = true) {
        auto* lb = new TLinkLabel(parent, text);
        l.place(lb, r, anchors);
        return lb;
    };
    auto image = [this, &link](QWidget* parent, AnchorLayout& l, QRect r, const char* file,
                               int anchors = A::L | A::T, const char* theme = "") {
        TLinkLabel* im = link(parent, l, r, anchors, false);
        im->setPixmap(art_->icon(theme, file).pixmap(l.scale(r.width()), l.scale(r.height())));
        return im;
    };

    // Top strip
    Shape1 = shape(this, {0, 0, 807, 25}, A::L | A::T | A::R, *layout_);
    MenuPanel = new QWidget(this);
    MenuPanel->setAutoFillBackground(true);
    layout_->place(MenuPanel, {1, 1, 805, 23}, A::L | A::T | A::R);
    XPMenuBar1 = new QMenuBar(MenuPanel);
    XPMenuBar1->setNativeMenuBar(false);
    menuLayout_->place(XPMenuBar1, {-1, 0, 322, 23});
    ImageGerman = image(MenuPanel, *menuLayout_, {718, 5, 18, 12}, "FlagGerman.svg");
    ImageGerman->setToolTip(QStringLiteral("Deutsch"));
    ImageEnglish = image(MenuPanel, *menuLayout_, {743, 5, 18, 12}, "FlagEnglish.svg");
    ImageEnglish->setToolTip(QStringLiteral("English"));
    Shape10 = shape(MenuPanel, {771, 3, 1, 16}, A::L | A::T, *menuLayout_);
    Shape10->setColors(QColor(0x2D, 0x2D, 0x2D), QColor(0x2D, 0x2D, 0x2D));
    ImageHelp =
        image(MenuPanel, *menuLayout_, {781, 3, 16, 16}, "Help.svg", A::T | A::R, "help-browser");
    connect(ImageGerman, &TLinkLabel::clicked, this, [this] { switchLanguage("German"); });
    connect(ImageEnglish, &TLinkLabel::clicked, this, [this] { switchLanguage("English"); });
    connect(ImageHelp, &TLinkLabel::clicked, this, [this] { PopupMenu3->popup(QCursor::pos()); });

    // Navigation
    Shape3 = shape(this, {21, 39, 180, 34}, A::L | A::T, *layout_);
    Image2 = image(this, *layout_, {33, 44, 24, 24}, "Welcome.svg");
    NaviWelcome = link(this, *layout_, {67, 42, 130, 26});
    NaviWelcome->setFont(designFont("Trebuchet MS", 19));
    NaviWelcome->setPartner(Image2);
    Image7 = image(this, *layout_, {220, 44, 24, 24}, "HotKeys.svg");
    NaviMyHotKeys = link(this, *layout_, {256, 42, 150, 26});
    NaviMyHotKeys->setFont(designFont("Trebuchet MS", 19));
    NaviMyHotKeys->setPartner(Image7);
    connect(NaviWelcome, &TLinkLabel::clicked, this, [this] { ShowWelcome(); });
    connect(Image2, &TLinkLabel::clicked, this, [this] { ShowWelcome(); });
    connect(NaviMyHotKeys, &TLinkLabel::clicked, this, [this] { ShowMyHotKeys(); });
    connect(Image7, &TLinkLabel::clicked, this, [this] { ShowMyHotKeys(); });

    // Hot key page
    Shape5 = shape(this, {21, 72, 765, 420}, A::L | A::T | A::R | A::B, *layout_);
    Shape7 = shape(this, {188, 72, 199, 2}, A::L | A::T, *layout_);
    LabelHotKey = label(this, *layout_, {33, 91, 48, 16});
    LabelHotKey->setText(QStringLiteral("Hot Key"));
    LabelHotKey->setFont(designFont("Tahoma", 12));
    HotKeyPanel = new QWidget(this);
    HotKeyPanel->setAutoFillBackground(true);
    {
        QPalette pal = HotKeyPanel->palette();
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::Base, Qt::white);
        pal.setColor(QPalette::Text, Qt::black);
        HotKeyPanel->setPalette(pal);
    }
    layout_->place(HotKeyPanel, {82, 87, 249, 25});
    Hotkey1 = new THotkeyEx(HotKeyPanel);
    Hotkey1->setObjectName(QStringLiteral("Hotkey1"));
    Hotkey1->setGeometry(layout_->scale(QRect(3, 1, 243, 23)));
    Hotkey1->setKeyNames(env_.keyNames);
    Hotkey1->setHotKey(113);
    Hotkey1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Hotkey1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { PopupMenu1->popup(Hotkey1->mapToGlobal(p)); });
    LabelAction = label(this, *layout_, {346, 91, 44, 16});
    LabelAction->setFont(designFont("Tahoma", 12));
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setMaxVisibleItems(20);
    ComboBox1->setIconSize(QSize(layout_->scale(16), layout_->scale(16)));
    ComboBox1->setPalette(desktopPalette());
    layout_->place(ComboBox1, {391, 88, 249, 25});
    ComboBox1->installEventFilter(this);
    Image4 = image(this, *layout_, {656, 88, 24, 24}, "Add.svg", A::L | A::T, "list-add");
    LabelAddHotKey = link(this, *layout_, {686, 91, 90, 18});
    LabelAddHotKey->setPartner(Image4);
    connect(LabelAddHotKey, &TLinkLabel::clicked, this, [this] { LabelAddHotKeyClick(); });
    connect(Image4, &TLinkLabel::clicked, this, [this] { LabelAddHotKeyClick(); });

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setColumnCount(3);
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->setIconSize(QSize(layout_->scale(16), layout_->scale(16)));
    ListView1->setAllColumnsShowFocus(true);
    ListView1->header()->setStretchLastSection(false);
    ListView1->header()->setSectionsMovable(false);
    ListView1->header()->setAutoFillBackground(true);
    ListView1->header()->setPalette(desktopPalette());
    {
        QPalette pal = desktopPalette();
        pal.setColor(QPalette::Base, Qt::white);
        pal.setColor(QPalette::Text, Qt::black);
        ListView1->setPalette(pal);
    }
    layout_->place(ListView1, {33, 125, 716, 329}, A::L | A::T | A::R | A::B);
    ListView1->installEventFilter(this);
    connect(ListView1, &QTreeWidget::itemDoubleClicked, this, [this] { ListView1DblClick(); });
    connect(ListView1, &QTreeWidget::itemSelectionChanged, this,
            [this] { core_->commands.select(selectedRow()); });
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        UpdateMenuState();
        PopupMenu2->popup(ListView1->viewport()->mapToGlobal(p));
    });
    ButtonUp = image(this, *layout_, {755, 144, 16, 16}, "Up.svg", A::T | A::R, "go-up");
    ButtonDown = image(this, *layout_, {755, 418, 16, 16}, "Down.svg", A::R | A::B, "go-down");
    connect(ButtonUp, &TLinkLabel::clicked, this, [this] { ButtonUpClick(); });
    connect(ButtonDown, &TLinkLabel::clicked, this, [this] { ButtonDownClick(); });
    Image8 = image(this, *layout_, {33, 459, 25, 25}, "Advice.svg", A::L | A::B);
    LabelAdvice = link(this, *layout_, {64, 464, 400, 18}, A::L | A::B);
    LabelAdvice->setPartner(Image8);
    auto advice = [this] {
        QDesktopServices::openUrl(QUrl(q(suggestionMailLink(texts_.language))));
    };
    connect(LabelAdvice, &TLinkLabel::clicked, this, advice);
    connect(Image8, &TLinkLabel::clicked, this, advice);

    hotKeyPage_ = {LabelHotKey, HotKeyPanel, LabelAction, ComboBox1, Image4,     LabelAddHotKey,
                   ListView1,   ButtonUp,    ButtonDown,  Image8,    LabelAdvice};

    // Status strip
    Shape2 = shape(this, {0, 508, 807, 24}, A::L | A::R | A::B, *layout_);
    StatusbarLabel1 = label(this, *layout_, {600, 512, 100, 16}, A::R | A::B);
    StatusbarLabel1->setObjectName(QStringLiteral("StatusbarLabel1"));
    StatusbarLabel1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Shape6 = shape(this, {707, 508, 1, 24}, A::R | A::B, *layout_);
    Image5 = image(this, *layout_, {713, 512, 16, 16}, "Active.svg", A::R | A::B);
    Image6 = image(this, *layout_, {713, 512, 16, 16}, "Inactive.svg", A::R | A::B);
    Image6->hide();
    LabelDeactivated = link(this, *layout_, {731, 511, 76, 18}, A::R | A::B);
    LabelDeactivated->setObjectName(QStringLiteral("LabelDeactivated"));
    LabelDeactivated->setToolTip(QStringLiteral("WIN+N"));
    LabelDeactivated->setFont(designFont("Tahoma", 12));
    StatusbarLabel1->setFont(designFont("Tahoma", 12));
    LabelDeactivated->setText(QStringLiteral("Aktiviert"));
    for (TLinkLabel* l : {Image5, Image6, LabelDeactivated}) {
        connect(l, &TLinkLabel::clicked, this, [this] { PopupDeactivateExecute(); });
    }

    // Welcome page
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    layout_->place(Panel1, {21, 72, 765, 420}, A::L | A::T | A::R | A::B);
    Shape8 = shape(Panel1, {0, 0, 765, 420}, A::L | A::T | A::R | A::B, *pageLayout_);
    Shape4 = shape(Panel1, {188, 0, 199, 2}, A::L | A::T, *pageLayout_);
    Title1 = label(Panel1, *pageLayout_, {54, 64, 153, 129});
    Title1->setPixmap(art_->pixmap("Logo.svg", layout_->scale(QRect(0, 0, 128, 128)).size()));
    Title1->setAlignment(Qt::AlignCenter);
    Shape9 = shape(Panel1, {215, 46, 1, 200}, A::L | A::T, *pageLayout_);
    LabelWelcome1 = label(Panel1, *pageLayout_, {239, 23, 434, 29}, A::L | A::T | A::R);
    LabelWelcome1->setFont(designFont("Trebuchet MS", 24));
    LabelWelcome2 = label(Panel1, *pageLayout_, {239, 72, 461, 37}, A::L | A::T | A::R);
    LabelArrow1 = label(Panel1, *pageLayout_, {239, 115, 12, 16});
    LabelWelcome3 = label(Panel1, *pageLayout_, {252, 115, 448, 32}, A::L | A::T | A::R);
    Label1 = label(Panel1, *pageLayout_, {239, 161, 12, 16});
    LabelWelcome4 = label(Panel1, *pageLayout_, {252, 161, 448, 62}, A::L | A::T | A::R);
    Label2 = label(Panel1, *pageLayout_, {239, 225, 12, 16});
    LabelWelcome5 = label(Panel1, *pageLayout_, {252, 225, 448, 30}, A::L | A::T | A::R);
    Label3 = label(Panel1, *pageLayout_, {239, 255, 12, 16});
    LabelWelcome6 = label(Panel1, *pageLayout_, {252, 255, 464, 30}, A::L | A::T | A::R);
    for (QLabel* l : {LabelWelcome2, LabelWelcome3, LabelWelcome4, LabelWelcome5, LabelWelcome6,
                      LabelArrow1, Label1, Label2, Label3}) {
        // The desktop's sans-serif runs wider than the designed Tahoma: the text gets a pixel
        // less and the points room for one more line.
        l->setFont(designFont("Tahoma", 12));
        l->setWordWrap(true);
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    for (QLabel* l : {LabelArrow1, Label1, Label2, Label3}) l->setText(QStringLiteral("\u00BB"));
    CheckBox1 = new QCheckBox(Panel1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    pageLayout_->place(CheckBox1, {23, 392, 16, 16}, A::L | A::B);
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { saveWelcomeChoice(); });
    LabelWelcome8 = link(Panel1, *pageLayout_, {43, 392, 160, 16}, A::L | A::B);
    connect(LabelWelcome8, &TLinkLabel::clicked, this, [this] {
        CheckBox1->setChecked(!CheckBox1->isChecked());
        saveWelcomeChoice();
    });
    LabelWelcome7 = label(Panel1, *pageLayout_, {434, 392, 330, 16}, A::L | A::B);

    for (QWidget* w : {static_cast<QWidget*>(Shape1), static_cast<QWidget*>(Shape2),
                       static_cast<QWidget*>(Shape5), static_cast<QWidget*>(Shape3)}) {
        w->lower();
    }
    Shape7->raise();
    Panel1->raise();
    Shape8->lower();
}

void TMain::buildMenus() {
    MenuHeaderFile = XPMenuBar1->addMenu(QString());
    MenuHeaderFile->addAction(MenuOpen);
    MenuSaveAsMenu = new QMenu(this);
    MenuSaveAsMenu->addAction(MenuSave);
    MenuSaveAsMenu->addAction(MenuSave2);
    MenuSaveAs->setMenu(MenuSaveAsMenu);
    MenuHeaderFile->addAction(MenuSaveAs);
    MenuHeaderFile->addSeparator();
    MenuHeaderFile->addAction(MenuLoadConfig);
    MenuHeaderFile->addAction(MenuSaveConfig);
    MenuHeaderFile->addAction(MenuSettings);
    MenuHeaderFile->addSeparator();
    MenuHeaderFile->addAction(MenuClose);
    MenuHeaderEdit = XPMenuBar1->addMenu(QString());
    MenuHeaderEdit->addAction(MenuDeleteSelected);
    MenuHeaderEdit->addAction(MenuDeleteAll);
    MenuHeaderGoto = XPMenuBar1->addMenu(QString());
    MenuHeaderGoto->addAction(MenuWelcome);
    MenuHeaderGoto->addAction(MenuMyHotKeys);
    MenuHeaderHelp = XPMenuBar1->addMenu(QString());
    MenuHelpTopicsMenu = new QMenu(this);
    MenuHelpTopicsMenu->addAction(HelpKeyComb);
    MenuHelpTopicsMenu->addAction(HelpLocation);
    MenuHelpTopics->setMenu(MenuHelpTopicsMenu);
    MenuHeaderHelp->addAction(MenuHelpTopics);
    MenuHeaderHelp->addSeparator();
    MenuHeaderHelp->addAction(MenuSearchForUpdates);
    MenuHeaderHelp->addAction(MenuAbout);

    PopupMenu2 = new QMenu(this);
    PopupMenu2->addAction(MenuOpen);
    PopupMenu2->addAction(MenuSaveAs);
    PopupMenu2->addSeparator();
    PopupMenu2->addAction(MenuDeleteSelected);
    PopupMenu2->addAction(MenuDeleteAll);
    connect(PopupMenu2, &QMenu::aboutToShow, this, [this] { UpdateMenuState(); });

    PopupMenu3 = new QMenu(this);
    PopupMenu3->addAction(HelpKeyComb);
    PopupMenu3->addAction(HelpLocation);
    PopupMenu3->addSeparator();
    PopupMenu3->addAction(MenuAbout);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(PopupStart);
    PopupMenu1->addAction(PopupDeactivate);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(MenuOpen);
    PopupMenu1->addAction(MenuSettings);
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(PopupClose);
    PopupMenu1->setDefaultAction(PopupStart);
    connect(PopupMenu1, &QMenu::aboutToShow, this,
            [this] { PopupStart->setText(q(applicationVisible() ? popupStart2_ : popupStart1_)); });
}

void TMain::buildTray() {
    Tray = new QSystemTrayIcon(this);
    Tray->setToolTip(QStringLiteral("Vorbix"));
    Tray->setContextMenu(PopupMenu1);
    Tray->setIcon(art_->trayIcon(true));
    connect(Tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::DoubleClick) {
            PopupStart->setText(q(applicationVisible() ? popupStart2_ : popupStart1_));
            PopupStartExecute();
        }
    });
}

// ---------------------------------------------------------------------------------------------
// Start-up

void TMain::startUp() {
    // Flags of the closing and tray logic.
    ExitRequested = false;
    SessionEnding = false;
    // The data folder and, on the first run, the empty hot key file.
    FirstRunResult prepared = prepareDataFolder(env_.dataFolder);
    if (!prepared) {
        env_.prompter->showMessage(prepared.error, MessageType::Error);
        SetLanguage();
        refreshList();
        startedUp_ = true;
        return;
    }
    LoadMainConfig(configPath());
    SetLanguage();
    // The notice for older systems belongs to a platform this program never runs on; the
    // condition does not hold here.
    constexpr bool olderSystem = false;
    if (olderSystem) {
        auto file = ConfigFile::open(configPath());
        if (file && file->read(config::kLowerThanXPNotice) == config::kFlagOff) {
            file->write(config::kLowerThanXPNotice, config::kFlagOn);
            env_.prompter->showMessage(
                msg("MessageLowerThanXP1") + "\r\n\r\n" + msg("MessageLowerThanXP2"),
                MessageType::Error);
        }
        if (file) file->save();
    }
    // The audio endpoints: new volume rows get the default device's id (none without devices).
    if (env_.desktop.audio) {
        const std::string id = gatherAudioEndpoints(*env_.desktop.audio).DefaultDeviceId;
        core_->defaultDeviceId = id;
        core_->commands.setDefaultDeviceId(id);
    }
    TableStore::Result loaded = core_->store.load(hotKeyPath());
    if (!loaded.error.empty()) env_.prompter->showMessage(loaded.error, MessageType::Error);
    core_->commands.reportLeftOut(loaded.rowsLeftOut);
    core_->registry.RegisterAllHotKeys();
    if (!core_->registry.active()) {
        core_->registry.UnregisterAllHotKeys();
    }
    applyActivePresentation();
    setWindowTitle(QStringLiteral("Pellmarr - Vorbix"));
    if (env_.desktop.audio) selectFinalAudioDevice(*env_.desktop.audio);
    refreshList();
    UpdateMenuState();

    // The settings dialog's part of the configuration: the two special combinations.
    loadSettingsPart(configPath());
    if (TrayIconVisible) Tray->show();
    startedUp_ = true;
}

ConfigContext TMain::configContext() const {
    return {env_.programFolder, env_.dataFolder, env_.permissions.mayChangeConfig(), env_.ppi,
            LanguageFile::fromText(languageFileText_).text(lang::kSettings, "ComboboxColorItem4")};
}

void TMain::loadSettingsPart(const std::string& path) {
    FileResult r = LoadSettingsConfig(path, configContext(), settings_);
    if (!r.ok) env_.prompter->showMessage(r.error, MessageType::Error);
    LoadInsertTextConfig(path, configContext(), insertText_);
    // The special combinations follow the file: the former ones are withdrawn first.
    core_->registry.UnRegisterHK(SymbolHotKeyId);
    core_->registry.UnRegisterHK(DeActivateHotKeyId);
    auto wordOf = [this](const std::string& text) {
        return KeyTextToShortCut(KeyTextFromDisplay(text, *env_.keyNames), *env_.keyNames);
    };
    const uint16_t symbolWord = settings_.symbolHotKeyOn ? wordOf(settings_.symbolHotKey) : 0;
    const uint16_t deactivateWord =
        settings_.deActivateHotKeyOn ? wordOf(settings_.deActivateHotKey) : 0;
    if (symbolWord) core_->registry.RegisterHK(SymbolHotKeyId, ShortCutToHotKey(symbolWord));
    if (deactivateWord) {
        core_->registry.RegisterHK(DeActivateHotKeyId, ShortCutToHotKey(deactivateWord));
    }
    core_->commands.setReservedCombinations(symbolWord, deactivateWord);
}

void TMain::saveSettingsPart(const std::string& path) {
    settings_.language = texts_.language;
    settings_.welcomeCheckBoxTicked = CheckBox1->isChecked();
    FileResult r = SaveSettingsConfig(path, settings_);
    if (r.ok) r = SaveInsertTextConfig(path, insertText_);
    if (!r.ok && !SessionEnding) env_.prompter->showMessage(r.error, MessageType::Error);
}

void TMain::startHidden() {
    hiddenAtStart_ = true;
    PopupStart->setText(q(popupStart1_));
}

void TMain::showAtStart() {
    PopupStart->setText(q(popupStart2_));
    show();
    // The list, not the capture field, starts with the focus: the field takes the whole
    // keyboard while it has the focus, which would keep every hot key from firing.
    if (!welcomeShown()) ListView1->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Language and colours

void TMain::SetLanguage(const std::string& section) {
    const LanguageFile file = LanguageFile::load(env_.programFolder, texts_.language);
    languageFileText_.clear();
    // Keep the section as text so later messages read the same file version.
    for (const auto& s : file.ini().sections()) {
        languageFileText_ += "[" + s.name + "]\n";
        for (const auto& l : s.lines) {
            if (l.hasValue) languageFileText_ += l.key + "=" + l.value + "\n";
        }
    }
    auto t = [&](std::string_view key) { return q(file.text(section, key)); };
    const std::string language = texts_.language;
    texts_ = file.mainTexts(language);
    texts_.language = language;

    MenuHeaderFile->setTitle(t("MenuHeaderFile"));
    MenuHeaderEdit->setTitle(t("MenuHeaderEdit"));
    MenuHeaderGoto->setTitle(t("MenuHeaderGoto"));
    MenuHeaderHelp->setTitle(t("MenuHeaderHelp"));
    for (QAction* a :
         {MenuOpen, MenuSaveAs, MenuSave, MenuSave2, MenuLoadConfig, MenuSaveConfig, MenuClose,
          MenuDeleteAll, MenuDeleteSelected, MenuWelcome, MenuMyHotKeys, MenuSettings,
          MenuHelpTopics, MenuSearchForUpdates, MenuAbout, PopupClose, HelpKeyComb, HelpLocation}) {
        a->setText(t(a->objectName().toStdString()));
    }
    hkvFilter_ = file.text(section, "HKVFilter");
    iniFilter_ = file.text(section, "INIFilter");
    htmlFilter_ = file.text(section, "HTMLFilter");
    NaviWelcome->setText(t("NaviWelcome"));
    NaviMyHotKeys->setText(t("NaviMyHotKeys"));
    LabelWelcome1->setText(t("LabelWelcome1"));
    LabelWelcome2->setText(t("LabelWelcome2"));
    LabelWelcome3->setText(t("LabelWelcome3"));
    LabelWelcome4->setText(t("LabelWelcome4"));
    LabelWelcome5->setText(t("LabelWelcome5"));
    LabelWelcome6->setText(t("LabelWelcome6"));
    LabelWelcome7->setText(t("LabelWelcome7"));
    LabelWelcome8->setText(t("LabelWelcome8"));
    LabelAction->setText(t("LabelAction"));
    LabelAddHotKey->setText(t("LabelAddHotKey"));
    LabelAdvice->setText(t("LabelAdvice"));
    ListView1->setHeaderLabels(
        {QStringLiteral("Hot Key"), t("ListViewHeaderAction"), t("ListViewHeaderProperties")});

    // The state label keeps its state in the new language.
    const QString current = LabelDeactivated->text();
    const bool showsActive = current == QStringLiteral("Aktiviert") ||
                             current == QStringLiteral("Activated") ||
                             current == q(labelActivated_);
    labelActivated_ = file.text(section, "LabelActivated");
    labelDeactivated_ = file.text(section, "LabelDeactivated");
    LabelDeactivated->setText(q(showsActive ? labelActivated_ : labelDeactivated_));
    popupStart1_ = file.text(section, "PopupStart1");
    popupStart2_ = file.text(section, "PopupStart2");
    popupActivate_ = file.text(section, "PopupActivate");
    popupDeactivate_ = file.text(section, "PopupDeactivate");
    PopupStart->setText(q(applicationVisible() || !startedUp_ ? popupStart2_ : popupStart1_));
    if (hiddenAtStart_ && !isVisible()) PopupStart->setText(q(popupStart1_));
    PopupDeactivate->setText(q(core_->registry.active() ? popupDeactivate_ : popupActivate_));

    // The action box: the 33 captions with their images, the first one selected.
    ComboBox1->clear();
    for (int i = 0; i < kActionKindCount; ++i) {
        ComboBox1->addItem(art_->actionIcon(i), q(texts_.actionCaptions[i]));
    }
    ComboBox1->setCurrentIndex(0);
    refreshList();
    placeWelcomePoints();
    placeClosingLine();
}

void TMain::switchLanguage(const std::string& language) {
    texts_.language = language == kEnglish ? std::string(kEnglish) : std::string(kGerman);
    saveSettingsPart(configPath());
    SetLanguage();
    placeClosingLine();
}

void TMain::ApplyMainColors() {
    const QPalette base = desktopPalette();
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colors_[0]);
    pal.setColor(QPalette::WindowText, colors_[3]);
    setPalette(pal);
    for (TShape* s : {Shape1, Shape2, Shape3, Shape5, Shape8}) s->setColors(colors_[1], colors_[2]);
    Shape4->setColors(colors_[1], colors_[1]);
    Shape7->setColors(colors_[1], colors_[1]);
    Shape6->setColors(colors_[2], colors_[2]);
    Shape9->setColors(colors_[2], colors_[2]);
    QPalette panel = MenuPanel->palette();
    panel.setColor(QPalette::Window, colors_[1]);
    panel.setColor(QPalette::WindowText, colors_[3]);
    MenuPanel->setPalette(panel);
    const QString hover = kHoverColor.name();
    XPMenuBar1->setStyleSheet(
        QStringLiteral("QMenuBar { background: %1; color: %2; }"
                       "QMenuBar::item { background: transparent; padding: 3px 8px; }"
                       "QMenuBar::item:selected { color: %3; }"
                       "QMenuBar::item:pressed { background: %4; color: %3; }")
            .arg(colors_[1].name(), colors_[3].name(), hover, colors_[2].name()));
    for (TLinkLabel* l : {NaviWelcome, NaviMyHotKeys, LabelDeactivated, LabelAdvice, LabelAddHotKey,
                          LabelWelcome8}) {
        l->setHoverColor(kHoverColor);
        l->setRestColor(colors_[3]);
    }
    // Pop-up menus, the list and the action box keep the desktop's colours.
    for (QWidget* w :
         std::initializer_list<QWidget*>{ListView1, ComboBox1, PopupMenu1, PopupMenu2, PopupMenu3,
                                         MenuSaveAsMenu, MenuHelpTopicsMenu}) {
        if (w != ListView1) w->setPalette(base);
    }
    update();
}

// ---------------------------------------------------------------------------------------------
// Configuration

void TMain::LoadMainConfig(const std::string& path) {
    MainConfig cfg = MainConfig::defaults(env_.ppi);
    FileResult r = vorbix::LoadMainConfig(path, configContext(), cfg);
    if (!r.ok) env_.prompter->showMessage(r.error, MessageType::Error);
    texts_.language = cfg.english() ? std::string(kEnglish) : std::string(kGerman);
    for (int i = 0; i < 3; ++i) {
        const int w = cfg.columnWidths[i];
        if (w >= 0)
            ListView1->setColumnWidth(i, w);
        else
            ListView1->resizeColumnToContents(i);
    }
    resize(std::max(cfg.window.clientWidth, minimumWidth()),
           std::max(cfg.window.clientHeight, minimumHeight()));
    if (cfg.window.centred) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect avail = screen->availableGeometry();
            move(avail.center() - QPoint(width() / 2, height() / 2));
        }
    } else {
        move(cfg.window.positionX, cfg.window.positionY);
    }
    if (cfg.window.state == WindowState::Maximized)
        setWindowState(Qt::WindowMaximized);
    else if (cfg.window.state == WindowState::Normal)
        setWindowState(Qt::WindowNoState);
    improvementVisible_ = cfg.improvementVisible;
    LabelAdvice->setVisible(cfg.improvementVisible && !welcomeShown());
    Image8->setVisible(cfg.improvementVisible && !welcomeShown());
    TrayIconVisible = cfg.trayIconVisible;
    if (Tray) Tray->setVisible(TrayIconVisible && startedUp_);
    setWelcomeChecked(cfg.welcomeCheckBoxTicked);
    if (cfg.welcomeCheckBoxTicked)
        ShowMyHotKeys();
    else
        ShowWelcome();
    CheckBox1->setEnabled(cfg.welcomeCheckBoxEnabled);
    LabelWelcome8->setEnabled(cfg.welcomeCheckBoxEnabled);
    HideByMinimize = cfg.hideByMinimize;
    placeClosingLine();
    core_->registry.setActive(cfg.active);
    for (int i = 0; i < 4; ++i) colors_[i] = toQColor(cfg.colors[i], QApplication::palette());
    ApplyMainColors();
}

void TMain::SaveMainConfig(const std::string& path) {
    MainConfig cfg = MainConfig::defaults(env_.ppi);
    cfg.language = texts_.language;
    for (int i = 0; i < 3; ++i) cfg.columnWidths[i] = ListView1->columnWidth(i);
    const QRect g = (windowState() & (Qt::WindowMaximized | Qt::WindowMinimized)) ? normalGeometry()
                                                                                  : geometry();
    cfg.window.clientWidth = g.width();
    cfg.window.clientHeight = g.height();
    const QPoint frame = frameGeometry().topLeft();
    cfg.window.positionX = (windowState() & Qt::WindowMaximized) ? g.x() : frame.x();
    cfg.window.positionY = (windowState() & Qt::WindowMaximized) ? g.y() : frame.y();
    cfg.window.centred = false;
    cfg.window.state = (windowState() & Qt::WindowMinimized)   ? WindowState::Minimized
                       : (windowState() & Qt::WindowMaximized) ? WindowState::Maximized
                                                               : WindowState::Normal;
    cfg.active = core_->registry.active();
    cfg.welcomeCheckBoxTicked = CheckBox1->isChecked();
    FileResult r = vorbix::SaveMainConfig(path, configContext(), cfg);
    if (!r.ok && !SessionEnding) env_.prompter->showMessage(r.error, MessageType::Error);
}

void TMain::setWelcomeChecked(bool checked) {
    CheckBox1->setChecked(checked);
}

void TMain::saveWelcomeChoice() {
    saveSettingsPart(configPath());
}

std::string TMain::choosePath(bool save, const std::string& filter, const std::string& suffix) {
    std::string path;
    if (env_.chooseFile) {
        path = env_.chooseFile(save, filter, suffix);
    } else if (save) {
        path = QFileDialog::getSaveFileName(this, QString(), QString(), qtFilter(filter))
                   .toStdString();
    } else {
        path = QFileDialog::getOpenFileName(this, QString(), QString(), qtFilter(filter))
                   .toStdString();
    }
    if (save && !path.empty() && QFileInfo(q(path)).suffix().isEmpty()) path += "." + suffix;
    return path;
}

void TMain::MenuSaveConfigExecute() {
    const std::string target = choosePath(true, iniFilter_, "ini");
    if (target.empty()) return;
    SaveMainConfig(target);
    saveSettingsPart(target);
}

void TMain::MenuLoadConfigExecute() {
    if (!env_.permissions.mayChangeTable()) {
        env_.prompter->showMessage(msg("MessageAdminError"), MessageType::Error);
        return;
    }
    const std::string path = choosePath(false, iniFilter_, "ini");
    if (path.empty()) return;
    const bool wasActive = core_->registry.active();
    LoadMainConfig(path);
    loadSettingsPart(path);
    SetLanguage();
    // The activation state of the file is brought fully in line: registrations, icons, label.
    const bool nowActive = core_->registry.active();
    core_->registry.setActive(wasActive);
    core_->registry.switchActive(nowActive);
    applyActivePresentation();
    SaveMainConfig(configPath());
    saveSettingsPart(configPath());
}

void TMain::MenuSave2Execute() {
    const std::string target = choosePath(true, htmlFilter_, "html");
    if (target.empty()) return;
    FileResult r = ExportHtml(target, core_->table, texts_.language);
    if (!r.ok) env_.prompter->showMessage(r.error, MessageType::Error);
}

// ---------------------------------------------------------------------------------------------
// The table

int TMain::selectedRow() const {
    const auto items = ListView1->selectedItems();
    if (items.isEmpty()) return -1;
    return ListView1->indexOfTopLevelItem(items.first());
}

void TMain::selectRow(int row) {
    ListView1->clearSelection();
    if (row >= 0 && row < ListView1->topLevelItemCount()) {
        QTreeWidgetItem* item = ListView1->topLevelItem(row);
        item->setSelected(true);
        ListView1->setCurrentItem(item);
        ListView1->scrollToItem(item);
    }
    core_->commands.select(row);
}

void TMain::refreshList() {
    const HotKeyTable& t = core_->table;
    ListView1->setUpdatesEnabled(false);
    while (ListView1->topLevelItemCount() > int(t.size()))
        delete ListView1->takeTopLevelItem(ListView1->topLevelItemCount() - 1);
    while (ListView1->topLevelItemCount() < int(t.size())) new QTreeWidgetItem(ListView1);
    for (size_t i = 0; i < t.size(); ++i) {
        const HotKeyEntry& row = t.at(i);
        QTreeWidgetItem* item = ListView1->topLevelItem(int(i));
        item->setText(0, q(row.HotKeyText));
        item->setText(1, q(row.ActionText));
        item->setText(2, q(row.PropertiesText));
        const auto kind = texts_.kindOf(row.ActionText);
        item->setIcon(1, kind ? art_->actionIcon(toIndex(*kind)) : QIcon());
    }
    ListView1->setUpdatesEnabled(true);
    const int selected = core_->commands.selectedRow();
    if (selected != selectedRow()) {
        QSignalBlocker block(ListView1);
        ListView1->clearSelection();
        if (selected >= 0 && selected < ListView1->topLevelItemCount()) {
            ListView1->topLevelItem(selected)->setSelected(true);
            ListView1->setCurrentItem(ListView1->topLevelItem(selected));
        }
    }
    refreshCount();
}

void TMain::refreshCount() {
    StatusbarLabel1->setText(q(hotKeyCountText(core_->table.size())));
}

void TMain::UpdateMenuState() {
    core_->commands.select(selectedRow());
    core_->commands.updateMenuState();
    const MenuState& m = core_->commands.menuState();
    MenuDeleteSelected->setEnabled(m.deleteSelected);
    MenuDeleteAll->setEnabled(m.deleteAll);
    MenuSaveAs->setEnabled(m.saveAs);
}

void TMain::LabelAddHotKeyClick() {
    const auto kind = actionKindFromIndex(ComboBox1->currentIndex());
    if (!kind) return;
    if (core_->commands.add(Hotkey1->HotKey(), *kind)) {
        refreshList();
        UpdateMenuState();
        ListView1->setFocus();
    }
}

void TMain::ListView1DblClick() {
    core_->commands.select(selectedRow());
    // The property editors open here when they exist; a row without properties has nothing to
    // edit.
    (void)core_->commands.edit();
}

void TMain::MenuDeleteSelectedExecute() {
    core_->commands.select(selectedRow());
    core_->commands.deleteSelected();
    refreshList();
    selectRow(core_->commands.selectedRow());
    UpdateMenuState();
}

void TMain::MenuDeleteAllExecute() {
    core_->commands.deleteAll();
    refreshList();
    UpdateMenuState();
}

void TMain::ButtonUpClick() {
    core_->commands.select(selectedRow());
    core_->commands.moveUp();
    refreshList();
    selectRow(core_->commands.selectedRow());
}

void TMain::ButtonDownClick() {
    core_->commands.select(selectedRow());
    core_->commands.moveDown();
    refreshList();
    selectRow(core_->commands.selectedRow());
}

void TMain::MenuOpenExecute() {
    if (!core_->commands.mayLoad()) {
        UpdateMenuState();
        return;
    }
    const std::string path = choosePath(false, hkvFilter_, "hkv");
    if (path.empty()) return;
    core_->commands.load(path);
    refreshList();
    UpdateMenuState();
}

void TMain::MenuSaveExecute() {
    const std::string target = choosePath(true, hkvFilter_, "hkv");
    if (target.empty()) return;
    core_->commands.saveTo(target);
}

// ---------------------------------------------------------------------------------------------
// Activation, tray, pages

void TMain::applyActivePresentation() {
    const bool on = core_->registry.active();
    PopupDeactivate->setText(q(on ? popupDeactivate_ : popupActivate_));
    // A missing icon file gets the built-in picture, so the presentation always follows the state.
    Tray->setIcon(art_->trayIcon(on));
    Image5->setVisible(on);
    Image6->setVisible(!on);
    LabelDeactivated->setText(q(on ? labelActivated_ : labelDeactivated_));
}

void TMain::PopupDeactivateExecute() {
    if (!env_.permissions.mayChangeConfig()) {
        env_.prompter->showMessage(msg("MessageAdminError"), MessageType::Error);
        return;
    }
    core_->registry.switchActive(!core_->registry.active());
    applyActivePresentation();
}

bool TMain::applicationVisible() const {
    return isVisible() && !isMinimized();
}

void TMain::hideApplication() {
    if (Hotkey1->hasFocus()) ListView1->setFocus();
    hide();
}

void TMain::showApplication() {
    if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void TMain::PopupStartExecute() {
    if (PopupStart->text() == q(popupStart2_) && applicationVisible()) {
        PopupStart->setText(q(popupStart1_));
        hideApplication();
    } else {
        PopupStart->setText(q(popupStart2_));
        showApplication();
    }
}

void TMain::toggleMainWindow() {
    PopupStart->setText(q(applicationVisible() ? popupStart2_ : popupStart1_));
    PopupStartExecute();
}

void TMain::InstanceCreated() {
    if (!applicationVisible()) {
        PopupStart->setText(q(popupStart1_));
        PopupStartExecute();
    } else {
        raise();
        activateWindow();
    }
}

WindowId TMain::hideMainWindowForCloseAll() {
    const WindowId id = winId();
    hideApplication();
    if (TrayIconVisible) Tray->show();
    return id;
}

void TMain::runEditorEffect(ActionKind kind, const HotKeyEntry& row) {
    // Stored texts and date formats (also from files of the Windows version) are inserted
    // already; volume and internet search come with their editors' modules.
    if (!env_.desktop.clipboard) return;
    if (kind == ActionKind::InsertText) {
        runInsertText(row, texts_, *env_.desktop.clipboard, settings_.saveClipboard);
    } else if (kind == ActionKind::InsertDateTime) {
        runInsertDateTime(row, texts_, *env_.desktop.clipboard, settings_.saveClipboard,
                          std::time(nullptr));
    }
}

void TMain::actionFailed(const std::string& reason) {
    notifyFailure(msg(std::string(lang::kMessageActionFailed)) + " " + reason);
}

bool TMain::askHiddenWindowsBack(size_t count) {
    std::string text = msg(std::string(lang::kMessageHiddenWindows));
    if (const size_t at = text.find("%d"); at != std::string::npos) {
        text.replace(at, 2, std::to_string(count));
    }
    return env_.prompter->askYesNo(text);
}

void TMain::notifyFailure(const std::string& text) {
    if (Tray && QSystemTrayIcon::isSystemTrayAvailable() && Tray->isVisible()) {
        Tray->showMessage(QStringLiteral("Vorbix"), q(text), QSystemTrayIcon::Warning, 5000);
    } else {
        env_.prompter->showMessage(text, MessageType::Error);
    }
}

void TMain::WMHotKey(int32_t id) {
    core_->dispatcher.WMHotKey(id);
}

void TMain::ShowWelcome() {
    layout_->replace(Shape3, {21, 39, 180, 34});
    pageLayout_->replace(Shape4, {1, 0, 178, 2});
    MenuWelcome->setEnabled(false);
    MenuMyHotKeys->setEnabled(true);
    for (QWidget* w : hotKeyPage_) w->hide();
    Panel1->show();
    Panel1->raise();
    Shape7->hide();
}

void TMain::ShowMyHotKeys() {
    layout_->replace(Shape3, {208, 39, 201, 34});
    layout_->replace(Shape7, {209, 72, 199, 2});
    MenuWelcome->setEnabled(true);
    MenuMyHotKeys->setEnabled(false);
    for (QWidget* w : hotKeyPage_) {
        if (w != LabelAdvice && w != Image8) w->show();
    }
    LabelAdvice->setVisible(improvementVisible_);
    Image8->setVisible(improvementVisible_);
    Panel1->hide();
    Shape7->show();
    Shape7->raise();
}

void TMain::placeWelcomePoints() {
    // The points keep their designed tops unless the text above them wraps into more lines
    // than designed (the desktop's font and the English texts run longer).
    const std::pair<QLabel*, QLabel*> points[] = {{LabelArrow1, LabelWelcome3},
                                                  {Label1, LabelWelcome4},
                                                  {Label2, LabelWelcome5},
                                                  {Label3, LabelWelcome6}};
    const int designTops[] = {115, 161, 225, 255};
    int bottom = LabelWelcome2->y() + LabelWelcome2->heightForWidth(LabelWelcome2->width());
    for (int i = 0; i < 4; ++i) {
        auto [arrow, text] = points[i];
        const int top = std::max(layout_->scale(designTops[i]), bottom + layout_->scale(14));
        const int height = text->heightForWidth(text->width());
        text->setGeometry(text->x(), top, text->width(), height);
        arrow->move(arrow->x(), top);
        bottom = top + height;
    }
}

void TMain::placeClosingLine() {
    const int w = width();
    const int left = w - layout_->scale(texts_.isGerman() ? 377 : 222) - Panel1->x();
    QRect r = LabelWelcome7->geometry();
    if (r.left() != left) {
        r.moveLeft(left);
        r.setWidth(layout_->scale(texts_.isGerman() ? 350 : 210));
        LabelWelcome7->setGeometry(r);
    }
}

// ---------------------------------------------------------------------------------------------
// Closing and session end

void TMain::saveState() {
    SaveMainConfig(configPath());
    SaveHotKeys(hotKeyPath(), core_->table, texts_, core_->defaultDeviceId,
                {.languages = &core_->languages});
}

void TMain::MenuCloseExecute() {
    ExitRequested = true;
    close();
}

void TMain::sessionEnding() {
    SessionEnding = true;
    saveState();
    ExitRequested = true;
    close();
}

void TMain::closeEvent(QCloseEvent* e) {
    saveState();
    bool allow = false;
    if (HideByMinimize) {
        allow = true;
    } else {
        PopupStart->setText(q(popupStart1_));
        hideApplication();
        allow = ExitRequested;
    }
    if (!allow) {
        e->ignore();
        auto file = ConfigFile::open(configPath());
        if (file) {
            if (file->read(config::kSymbolNotice) == config::kFlagOff && !SessionEnding) {
                file->write(config::kSymbolNotice, config::kFlagOn);
                file->save();
                env_.prompter->showMessage(msg("MessageSymbolClose1") + "\r\n\r\n" +
                                               msg("MessageSymbolClose2") + "\r\n\r\n" +
                                               msg("MessageSymbolClose3"),
                                           MessageType::Information);
            }
        }
        return;
    }
    // Closing: the same saves again, then the program ends.
    saveState();
    if (Tray) Tray->hide();
    e->accept();
    QCoreApplication::quit();
}

void TMain::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layout_->relayout(this, size());
    menuLayout_->relayout(MenuPanel, MenuPanel->size());
    pageLayout_->relayout(Panel1, Panel1->size());
    placeWelcomePoints();
    placeClosingLine();
}

void TMain::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // Each time the window is shown the action box starts at its first entry.
    ComboBox1->setCurrentIndex(0);
}

void TMain::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && HideByMinimize && isMinimized()) {
        hideApplication();
    }
}

bool TMain::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (enter && watched == ListView1) {
            ListView1DblClick();
            return true;
        }
        if (enter && watched == ComboBox1) {
            LabelAddHotKeyClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace vorbix
