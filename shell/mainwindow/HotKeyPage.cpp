#include "shell/mainwindow/HotKeyPage.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QStyleOptionViewItem>
#include <QTreeView>
#include <algorithm>

#include "components/DesignStyle.h"
#include "components/HotkeyEx.h"
#include "components/LinkLabel.h"
#include "components/Shape.h"
#include "shell/common/Artwork.h"
#include "shell/mainwindow/HotKeyTableModel.h"
#include "shell/mainwindow/MainColors.h"
#include "storage/LanguageFile.h"

namespace vorbix {

using A = AnchorLayout;

HotKeyPage::HotKeyPage(QWidget* parent, const Artwork& art, int ppi, const KeyNameSource* keyNames,
                       HotKeyTableModel* model)
    : QWidget(parent), art_(art), layout_(ppi, kDesign.size()) {
    // Positions relative to the page, whose frame is Shape5.
    auto label = [this](QRect r) {
        auto* l = new QLabel(this);
        layout_.place(l, r);
        l->setFont(designFont("Tahoma", 12));
        return l;
    };
    auto link = [this](QRect r, int anchors = A::L | A::T) {
        auto* l = new TLinkLabel(this);
        layout_.place(l, r, anchors);
        return l;
    };
    auto image = [this](QRect r, const char* file, int anchors, const char* theme = "") {
        auto* im = new TLinkLabel(this, false);
        layout_.place(im, r, anchors);
        im->setIcon(art_.icon(theme, file), layout_.scale(r.size()));
        return im;
    };

    Shape5 = new TShape(this);
    layout_.place(Shape5, {0, 0, 765, 420}, A::L | A::T | A::R | A::B);
    LabelHotKey = label({12, 19, 48, 16});
    LabelHotKey->setText(QStringLiteral("Hot Key"));
    // In a font wider than Tahoma the label would touch its field: it ends 5 pixels before it.
    {
        const int gap = layout_.scale(5);
        const int text = LabelHotKey->fontMetrics().horizontalAdvance(LabelHotKey->text());
        const int room = layout_.scale(61) - gap - layout_.scale(12);
        if (text > room) {
            const int design = (text - room) * 96 / layout_.ppi() + 1;
            layout_.replace(LabelHotKey, {12 - design, 19, 48 + design - 5, 16});
        }
    }
    HotKeyPanel = new QWidget(this);
    HotKeyPanel->setAutoFillBackground(true);
    {
        QPalette pal = HotKeyPanel->palette();
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::Base, Qt::white);
        pal.setColor(QPalette::Text, Qt::black);
        HotKeyPanel->setPalette(pal);
    }
    layout_.place(HotKeyPanel, {61, 15, 249, 25});
    Hotkey1 = new THotkeyEx(HotKeyPanel);
    Hotkey1->setObjectName(QStringLiteral("Hotkey1"));
    Hotkey1->setGeometry(layout_.scale(QRect(3, 1, 243, 23)));
    Hotkey1->setKeyNames(keyNames);
    Hotkey1->setHotKey(113);
    Hotkey1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Hotkey1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& p) { emit fieldMenuRequested(Hotkey1->mapToGlobal(p)); });
    LabelAction = label({325, 19, 44, 16});
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setMaxVisibleItems(20);
    // A list below the box that shows 20 entries and scrolls, not a menu over the whole screen.
    ComboBox1->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    ComboBox1->setIconSize(layout_.scale(QSize(16, 16)));
    ComboBox1->setPalette(desktopPalette());
    layout_.place(ComboBox1, {370, 16, 249, 25});
    ComboBox1->installEventFilter(this);
    Image4 = image({635, 16, 24, 24}, "Add.svg", A::L | A::T, "list-add");
    LabelAddHotKey = link({665, 19, 90, 18});
    LabelAddHotKey->setPartner(Image4);
    connect(LabelAddHotKey, &TLinkLabel::clicked, this, &HotKeyPage::addRequested);
    connect(Image4, &TLinkLabel::clicked, this, &HotKeyPage::addRequested);

    ListView1 = new QTreeView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(model);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    ListView1->setIconSize(layout_.scale(QSize(16, 16)));
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
    layout_.place(ListView1, {12, 53, 716, 329}, A::L | A::T | A::R | A::B);
    ListView1->installEventFilter(this);
    connect(ListView1, &QTreeView::doubleClicked, this, &HotKeyPage::editRequested);
    connect(ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit selectionChanged(selectedRow()); });
    connect(ListView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& p) {
        emit listMenuRequested(ListView1->viewport()->mapToGlobal(p));
    });
    ButtonUp = image({734, 72, 16, 16}, "Up.svg", A::T | A::R, "go-up");
    ButtonDown = image({734, 346, 16, 16}, "Down.svg", A::R | A::B, "go-down");
    connect(ButtonUp, &TLinkLabel::clicked, this, &HotKeyPage::moveUpRequested);
    connect(ButtonDown, &TLinkLabel::clicked, this, &HotKeyPage::moveDownRequested);
    Image8 = image({12, 387, 25, 25}, "Advice.svg", A::L | A::B);
    LabelAdvice = link({43, 392, 400, 18}, A::L | A::B);
    LabelAdvice->setPartner(Image8);
    connect(LabelAdvice, &TLinkLabel::clicked, this, &HotKeyPage::adviceClicked);
    connect(Image8, &TLinkLabel::clicked, this, &HotKeyPage::adviceClicked);
    Shape5->lower();
}

int HotKeyPage::selectedRow() const {
    const QModelIndexList rows = ListView1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void HotKeyPage::selectRow(int row) {
    QItemSelectionModel* selection = ListView1->selectionModel();
    const QModelIndex index = ListView1->model()->index(row, 0);
    if (!index.isValid()) {
        selection->clearSelection();
        return;
    }
    selection->setCurrentIndex(index,
                               QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ListView1->scrollTo(index);
}

void HotKeyPage::SetLanguage(const LanguageFile& file, std::string_view section,
                             const LanguageTexts& texts, const LanguageCatalogue& languages) {
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    LabelAction->setText(t("LabelAction"));
    LabelAddHotKey->setText(t("LabelAddHotKey"));
    LabelAdvice->setText(t("LabelAdvice"));
    ComboBox1->clear();
    for (int i = 0; i < kActionKindCount; ++i) {
        ComboBox1->addItem(art_.actionIcon(i), QString::fromStdString(texts.actionCaptions[i]));
    }
    ComboBox1->setCurrentIndex(0);
    fitActionCaptions(languages);
}

void HotKeyPage::fitActionCaptions(const LanguageCatalogue& languages) {
    // The designed widths assume Tahoma; the font in its place may run wider. The action column
    // grows to the longest caption of any language (a table may come from a user of the other
    // one; a wider column the user chose stays), the action box's list to the longest caption
    // it shows.
    QStyleOptionViewItem item;
    item.initFrom(ListView1);
    item.font = ListView1->font();
    item.fontMetrics = QFontMetrics(item.font);
    item.features = QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration;
    item.decorationSize = ListView1->iconSize();
    item.decorationPosition = QStyleOptionViewItem::Left;
    item.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    int column = 0;
    auto fit = [&](const QString& caption) {
        item.text = caption;
        const QSize needed = ListView1->style()->sizeFromContents(QStyle::CT_ItemViewItem, &item,
                                                                  QSize(), ListView1);
        column = std::max(column, needed.width());
    };
    for (int i = 0; i < ComboBox1->count(); ++i) fit(ComboBox1->itemText(i));
    for (const LanguageWords& words : languages.languages()) {
        for (const std::string& caption : words.main.actionCaptions)
            fit(QString::fromStdString(caption));
    }
    if (ListView1->columnWidth(1) < column) ListView1->setColumnWidth(1, column);

    QAbstractItemView* list = ComboBox1->view();
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    list->setMinimumWidth(list->sizeHintForColumn(0) + scrollBar + 2 * list->frameWidth());
}

void HotKeyPage::applyColors(const MainColors& c) {
    Shape5->setColors(c.panel, c.frame);
    for (TLinkLabel* l : {LabelAdvice, LabelAddHotKey}) {
        l->setHoverColor(kHoverColor);
        l->setRestColor(c.text);
    }
}

void HotKeyPage::setImprovementVisible(bool visible) {
    LabelAdvice->setVisible(visible);
    Image8->setVisible(visible);
}

void HotKeyPage::resetActionBox() {
    ComboBox1->setCurrentIndex(0);
}

void HotKeyPage::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layout_.relayout(this, size());
}

bool HotKeyPage::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        const bool enter = k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter;
        if (enter && watched == ListView1) {
            emit editRequested();
            return true;
        }
        if (enter && watched == ComboBox1) {
            emit addRequested();
            return true;
        }
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace vorbix
