#include "editors/RichTextToolBar.h"

#include <QButtonGroup>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>
#include <optional>
#include <vector>

#include "editors/RichTextConverter.h"

namespace vorbix {

namespace {

using A = AnchorLayout;

constexpr int kButtonSize = 30;
constexpr int kIconSize = 20;
const char* const kSizes[] = {"8",  "9",  "10", "11", "12", "14", "16", "18",
                              "20", "22", "24", "26", "28", "36", "48", "72"};

struct ButtonLook {
    const char* name;   // the object name
    const char* theme;  // the icon's name in the desktop's icon theme
    bool toggle;
};

const ButtonLook kButtons[RichTextToolBar::kButtonCount] = {
    {"ButtonBold", "format-text-bold", true},
    {"ButtonItalic", "format-text-italic", true},
    {"ButtonUnderlined", "format-text-underline", true},
    {"ToolButton1", "", false},
    {"ButtonLeft", "format-justify-left", true},
    {"ButtonCenter", "format-justify-center", true},
    {"ButtonRight", "format-justify-right", true},
    {"ButtonList", "format-list-unordered", true},
    {"ButtonHyperlink", "insert-link", false},
};

// A drawn picture for a button, for desktops without an icon theme; `s` is the side in pixels.
QPixmap drawnPicture(RichTextToolBar::Button b, int s) {
    QPixmap pixmap(s, s);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(40, 40, 40);
    auto letter = [&](const char* text, bool bold, bool italic, bool underline) {
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setStyleHint(QFont::Serif);
        f.setPixelSize(s * 3 / 4);
        f.setBold(bold);
        f.setItalic(italic);
        f.setUnderline(underline);
        p.setFont(f);
        p.setPen(ink);
        p.drawText(QRect(0, 0, s, s), Qt::AlignCenter, QString::fromLatin1(text));
    };
    const qreal line = std::max(1.0, s / 10.0);
    auto bar = [&](qreal x, qreal y, qreal w) { p.fillRect(QRectF(x, y, w, line), ink); };
    const qreal m = s / 8.0;
    const qreal full = s - 2 * m;
    switch (b) {
        case RichTextToolBar::Bold:
            letter("B", true, false, false);
            break;
        case RichTextToolBar::Italic:
            letter("I", false, true, false);
            break;
        case RichTextToolBar::Underlined:
            letter("U", false, false, true);
            break;
        case RichTextToolBar::Color: {
            QFont f(QStringLiteral("DejaVu Sans"));
            f.setPixelSize(s * 5 / 8);
            f.setBold(true);
            p.setFont(f);
            p.setPen(ink);
            p.drawText(QRectF(0, 0, s, s * 0.8), Qt::AlignCenter, QStringLiteral("A"));
            p.fillRect(QRectF(m, s * 0.78, full, s * 0.16), QColor(220, 30, 30));
            break;
        }
        case RichTextToolBar::Left:
        case RichTextToolBar::Center:
        case RichTextToolBar::Right:
            for (int i = 0; i < 4; ++i) {
                const qreal w = (i % 2) ? full * 0.6 : full;
                const qreal x = b == RichTextToolBar::Left    ? m
                                : b == RichTextToolBar::Right ? m + full - w
                                                              : m + (full - w) / 2;
                bar(x, m + i * (full - line) / 3, w);
            }
            break;
        case RichTextToolBar::List:
            for (int i = 0; i < 3; ++i) {
                const qreal y = m + line + i * (full - 2 * line) / 2;
                p.setBrush(ink);
                p.setPen(Qt::NoPen);
                p.drawEllipse(QPointF(m + line, y + line / 2), line * 1.1, line * 1.1);
                bar(m + 3.5 * line, y, full - 3.5 * line);
            }
            break;
        case RichTextToolBar::Hyperlink: {
            // Two chain links.
            p.setPen(QPen(ink, line * 1.2));
            p.setBrush(Qt::NoBrush);
            p.translate(s / 2.0, s / 2.0);
            p.rotate(-45);
            const qreal w = s * 0.46, h = s * 0.26;
            p.drawRoundedRect(QRectF(-w + line, -h / 2, w, h), h / 2, h / 2);
            p.drawRoundedRect(QRectF(-line, -h / 2, w, h), h / 2, h / 2);
            break;
        }
    }
    return pixmap;
}

QIcon buttonIcon(RichTextToolBar::Button b, int size) {
    const QIcon drawn(drawnPicture(b, size));
    const char* theme = kButtons[b].theme;
    return *theme ? QIcon::fromTheme(QString::fromLatin1(theme), drawn) : drawn;
}

// The attributes of the selected text, or of the text typed next when nothing is selected.
std::vector<RtfCharFormat> selectedFormats(const QTextEdit& edit) {
    const QFont defaultFont = edit.document()->defaultFont();
    const QTextCursor cursor = edit.textCursor();
    std::vector<RtfCharFormat> formats;
    if (cursor.hasSelection()) {
        const int start = cursor.selectionStart();
        const int end = cursor.selectionEnd();
        for (QTextBlock block = edit.document()->findBlock(start);
             block.isValid() && block.position() < end; block = block.next()) {
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int from = fragment.position();
                if (from + fragment.length() <= start || from >= end) continue;
                formats.push_back(RichTextConverter::runFormat(fragment.charFormat(), defaultFont));
            }
        }
    }
    if (formats.empty())
        formats.push_back(RichTextConverter::runFormat(edit.currentCharFormat(), defaultFont));
    return formats;
}

// The common value of one attribute, nothing when the formats differ in it.
template <typename T>
std::optional<T> common(const std::vector<RtfCharFormat>& formats, T RtfCharFormat::*field) {
    const T& first = formats.front().*field;
    for (const RtfCharFormat& f : formats) {
        if (!(f.*field == first)) return std::nullopt;
    }
    return first;
}

QString sizeText(int halfPoints) {
    return QString::number(halfPoints / 2) + (halfPoints % 2 ? QStringLiteral(".5") : QString());
}

}  // namespace

RichTextToolBar::RichTextToolBar(QWidget* parent, int ppi, QTextEdit* edit)
    : QWidget(parent), layout_(ppi, kDesign.size()), edit_(edit) {
    setObjectName(QStringLiteral("ToolBar1"));
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);

    alignments_ = new QButtonGroup(this);
    alignments_->setExclusive(true);
    const int iconSize = layout_.scale(kIconSize);
    for (int i = 0; i < kButtonCount; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(kButtons[i].name));
        b->setCheckable(kButtons[i].toggle);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setIcon(buttonIcon(Button(i), iconSize));
        b->setIconSize(QSize(iconSize, iconSize));
        layout_.place(b, {i * kButtonSize, 1, kButtonSize, kButtonSize});
        buttons_[i] = b;
    }
    for (Button b : {Left, Center, Right}) alignments_->addButton(buttons_[b]);
    buttons_[Left]->setChecked(true);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setMaxVisibleItems(20);
    ComboBox1->addItems(QFontDatabase::families());
    layout_.place(ComboBox1, {276, 5, 209, 23}, A::L | A::T | A::R);
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    for (const char* size : kSizes) ComboBox2->addItem(QString::fromLatin1(size));
    layout_.place(ComboBox2, {490, 5, 41, 23}, A::R | A::T);
    // The designed width leaves no room for two digits beside this style's arrow: the size box
    // grows to the left as far as its entries need, the font box gives way.
    if (const int extra = ComboBox2->minimumSizeHint().width() - layout_.scale(41); extra > 0) {
        const int design = extra * 96 / layout_.ppi() + 1;
        layout_.replace(ComboBox1, {276, 5, 209 - design, 23});
        layout_.replace(ComboBox2, {490 - design, 5, 41 + design, 23});
    }
    selectFont(QStringLiteral("Tahoma"));
    ComboBox2->setCurrentText(QStringLiteral("10"));

    auto style = [this](Button b, auto apply) {
        connect(buttons_[b], &QToolButton::clicked, this, [this, apply](bool on) {
            QTextCharFormat f;
            apply(f, on);
            mergeFormat(f);
        });
    };
    style(Bold,
          [](QTextCharFormat& f, bool on) { f.setFontWeight(on ? QFont::Bold : QFont::Normal); });
    style(Italic, [](QTextCharFormat& f, bool on) { f.setFontItalic(on); });
    style(Underlined, [](QTextCharFormat& f, bool on) { f.setFontUnderline(on); });
    connect(buttons_[Color], &QToolButton::clicked, this, [this] { ToolButton1Click(); });
    connect(buttons_[Left], &QToolButton::clicked, this, [this] { setAlignment(Qt::AlignLeft); });
    connect(buttons_[Center], &QToolButton::clicked, this,
            [this] { setAlignment(Qt::AlignHCenter); });
    connect(buttons_[Right], &QToolButton::clicked, this, [this] { setAlignment(Qt::AlignRight); });
    connect(buttons_[List], &QToolButton::clicked, this, [this](bool on) { setBullets(on); });
    connect(buttons_[Hyperlink], &QToolButton::clicked, this, &RichTextToolBar::linkRequested);
    connect(ComboBox1, &QComboBox::activated, this, [this](int i) {
        QTextCharFormat f;
        f.setFontFamilies(QStringList{ComboBox1->itemText(i)});
        // A font chosen here has no character set of its own.
        f.setProperty(RichTextConverter::kFontCharsetProperty, 0);
        mergeFormat(f);
    });
    connect(ComboBox2, &QComboBox::activated, this, [this](int i) {
        QTextCharFormat f;
        f.setFontPointSize(ComboBox2->itemText(i).toDouble());
        mergeFormat(f);
    });

    // The keys of the style buttons, in the text box while the bar is shown.
    const std::pair<QKeySequence::StandardKey, Button> keys[] = {
        {QKeySequence::Bold, Bold},
        {QKeySequence::Italic, Italic},
        {QKeySequence::Underline, Underlined}};
    for (const auto& [key, b] : keys) {
        auto* shortcut = new QShortcut(key, edit_, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, b = b] {
            if (isVisible()) buttons_[b]->click();
        });
    }

    connect(edit_, &QTextEdit::cursorPositionChanged, this,
            &RichTextToolBar::RichEdit1SelectionChange);
    connect(edit_, &QTextEdit::selectionChanged, this, &RichTextToolBar::RichEdit1SelectionChange);
    connect(edit_, &QTextEdit::currentCharFormatChanged, this,
            &RichTextToolBar::RichEdit1SelectionChange);
}

void RichTextToolBar::RichEdit1SelectionChange() {
    const QTextCursor cursor = edit_->textCursor();
    const QTextBlock first = edit_->document()->findBlock(cursor.selectionStart());
    const Qt::Alignment a = first.blockFormat().alignment();
    const Button alignment = (a & Qt::AlignHCenter) ? Center : (a & Qt::AlignRight) ? Right : Left;
    buttons_[alignment]->setChecked(true);
    buttons_[List]->setChecked(first.textList() != nullptr);

    const std::vector<RtfCharFormat> formats = selectedFormats(*edit_);
    buttons_[Bold]->setChecked(common(formats, &RtfCharFormat::bold).value_or(false));
    buttons_[Italic]->setChecked(common(formats, &RtfCharFormat::italic).value_or(false));
    buttons_[Underlined]->setChecked(common(formats, &RtfCharFormat::underline).value_or(false));
    const auto font = common(formats, &RtfCharFormat::fontName);
    if (font)
        selectFont(QString::fromStdString(*font));
    else
        ComboBox1->setCurrentIndex(-1);
    const auto size = common(formats, &RtfCharFormat::sizeHalfPoints);
    ComboBox2->setCurrentIndex(size ? ComboBox2->findText(sizeText(*size)) : -1);
}

void RichTextToolBar::selectFont(const QString& family) {
    int i = ComboBox1->findText(family, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (i < 0 && !family.isEmpty()) {
        // A font this system lacks still shows its name, in its place in the list.
        i = 0;
        while (i < ComboBox1->count() &&
               QString::compare(ComboBox1->itemText(i), family, Qt::CaseInsensitive) < 0)
            ++i;
        ComboBox1->insertItem(i, family);
    }
    ComboBox1->setCurrentIndex(i);
}

void RichTextToolBar::mergeFormat(const QTextCharFormat& format) {
    edit_->mergeCurrentCharFormat(format);
    edit_->setFocus();
    RichEdit1SelectionChange();
}

void RichTextToolBar::setAlignment(Qt::Alignment alignment) {
    edit_->setAlignment(alignment);
    edit_->setFocus();
}

void RichTextToolBar::setBullets(bool on) {
    QTextCursor cursor = edit_->textCursor();
    cursor.beginEditBlock();
    if (on) {
        cursor.createList(QTextListFormat::ListDisc);
    } else {
        QTextDocument* doc = edit_->document();
        const int end = cursor.selectionEnd();
        for (QTextBlock block = doc->findBlock(cursor.selectionStart());
             block.isValid() && (block.position() <= end); block = block.next()) {
            if (!block.textList()) continue;
            QTextBlockFormat f = block.blockFormat();
            f.clearProperty(QTextFormat::ObjectIndex);
            f.setIndent(0);
            QTextCursor(block).setBlockFormat(f);
        }
    }
    cursor.endEditBlock();
    edit_->setFocus();
    RichEdit1SelectionChange();
}

void RichTextToolBar::ToolButton1Click() {
    const QTextCharFormat current = edit_->currentCharFormat();
    const QColor start = current.hasProperty(QTextFormat::ForegroundBrush)
                             ? current.foreground().color()
                             : QColor(Qt::black);
    auto* dialog = new QColorDialog(start, window());
    dialog->setObjectName(QStringLiteral("ColorDialog1"));
    // The desktop's own colour chooser where its platform theme offers one (in the desktop's
    // language); Qt's otherwise.
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QColorDialog::colorSelected, this, [this](const QColor& c) {
        QTextCharFormat f;
        f.setForeground(c);
        mergeFormat(f);
    });
    dialog->open();
}

void RichTextToolBar::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layout_.relayout(this, size());
}

}  // namespace vorbix
