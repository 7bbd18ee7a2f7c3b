#include "components/HotkeyEx.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <utility>

namespace vorbix {

namespace {

constexpr uint8_t VK_BACK = 0x08, VK_TAB = 0x09, VK_RETURN = 0x0D, VK_SHIFT = 0x10,
                  VK_CONTROL = 0x11, VK_MENU = 0x12, VK_ESCAPE = 0x1B, VK_SPACE = 0x20,
                  VK_DELETE = 0x2E, VK_LWIN = 0x5B, VK_RWIN = 0x5C;

// X keysyms of the modifier keys, to tell the Windows key (Super) from Meta, which some
// keymaps give to Alt.
constexpr uint32_t XK_Shift_L = 0xffe1, XK_Shift_R = 0xffe2, XK_Control_L = 0xffe3,
                   XK_Control_R = 0xffe4, XK_Meta_L = 0xffe7, XK_Meta_R = 0xffe8, XK_Alt_L = 0xffe9,
                   XK_Alt_R = 0xffea, XK_Super_L = 0xffeb, XK_Super_R = 0xffec;

THotkeyEx::KeyMapper& keysymMapper() {
    static THotkeyEx::KeyMapper mapper;
    return mapper;
}

THotkeyEx::WinKeyProbe& winKeyProbe() {
    static THotkeyEx::WinKeyProbe probe;
    return probe;
}

uint8_t virtualKeyOfQtKey(int key, bool keypad) {
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint8_t>('A' + key - Qt::Key_A);
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return static_cast<uint8_t>(keypad ? 0x60 + key - Qt::Key_0 : '0' + key - Qt::Key_0);
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<uint8_t>(0x70 + key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace:
            return VK_BACK;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return VK_TAB;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return VK_RETURN;
        case Qt::Key_Shift:
            return VK_SHIFT;
        case Qt::Key_Control:
            return VK_CONTROL;
        case Qt::Key_Alt:
            return VK_MENU;
        case Qt::Key_Pause:
            return 0x13;
        case Qt::Key_CapsLock:
            return 0x14;
        case Qt::Key_Escape:
            return VK_ESCAPE;
        case Qt::Key_Space:
            return VK_SPACE;
        case Qt::Key_PageUp:
            return 0x21;
        case Qt::Key_PageDown:
            return 0x22;
        case Qt::Key_End:
            return 0x23;
        case Qt::Key_Home:
            return 0x24;
        case Qt::Key_Left:
            return 0x25;
        case Qt::Key_Up:
            return 0x26;
        case Qt::Key_Right:
            return 0x27;
        case Qt::Key_Down:
            return 0x28;
        case Qt::Key_Print:
            return 0x2C;
        case Qt::Key_Insert:
            return 0x2D;
        case Qt::Key_Delete:
            return VK_DELETE;
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
            return VK_LWIN;
        case Qt::Key_Super_R:
            return VK_RWIN;
        case Qt::Key_Menu:
            return 0x5D;
        case Qt::Key_Asterisk:
            return keypad ? 0x6A : 0xBB;
        case Qt::Key_Plus:
            return keypad ? 0x6B : 0xBB;
        case Qt::Key_Minus:
            return keypad ? 0x6D : 0xBD;
        case Qt::Key_Period:
            return keypad ? 0x6E : 0xBE;
        case Qt::Key_Slash:
            return keypad ? 0x6F : 0xBF;
        case Qt::Key_NumLock:
            return 0x90;
        case Qt::Key_ScrollLock:
            return 0x91;
        case Qt::Key_Comma:
            return 0xBC;
        case Qt::Key_Semicolon:
            return 0xBA;
        case Qt::Key_Equal:
            return 0xBB;
        case Qt::Key_QuoteLeft:
            return 0xC0;
        case Qt::Key_BracketLeft:
            return 0xDB;
        case Qt::Key_Backslash:
            return 0xDC;
        case Qt::Key_BracketRight:
            return 0xDD;
        case Qt::Key_Apostrophe:
            return 0xDE;
        case Qt::Key_Back:
            return 0xA6;
        case Qt::Key_Forward:
            return 0xA7;
        case Qt::Key_Refresh:
            return 0xA8;
        case Qt::Key_Stop:
            return 0xA9;
        case Qt::Key_Search:
            return 0xAA;
        case Qt::Key_Favorites:
            return 0xAB;
        case Qt::Key_HomePage:
            return 0xAC;
        case Qt::Key_VolumeMute:
            return 0xAD;
        case Qt::Key_VolumeDown:
            return 0xAE;
        case Qt::Key_VolumeUp:
            return 0xAF;
        case Qt::Key_MediaNext:
            return 0xB0;
        case Qt::Key_MediaPrevious:
            return 0xB1;
        case Qt::Key_MediaStop:
            return 0xB2;
        case Qt::Key_MediaPlay:
        case Qt::Key_MediaTogglePlayPause:
            return 0xB3;
        case Qt::Key_LaunchMail:
            return 0xB4;
        case Qt::Key_LaunchMedia:
            return 0xB5;
        case Qt::Key_Launch0:
            return 0xB6;
        case Qt::Key_Launch1:
            return 0xB7;
        default:
            return 0;
    }
}

}  // namespace

THotkeyEx::THotkeyEx(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setCursor(Qt::IBeamCursor);
    setAutoFillBackground(false);
}

THotkeyEx::~THotkeyEx() {
    releaseGrab();
}

void THotkeyEx::setKeysymMapper(KeyMapper mapper) {
    keysymMapper() = std::move(mapper);
}

void THotkeyEx::setWinKeyProbe(WinKeyProbe probe) {
    winKeyProbe() = std::move(probe);
}

bool THotkeyEx::isWinKeyEvent(const QKeyEvent& event, uint8_t vk) {
    if (vk == VK_LWIN || vk == VK_RWIN) return true;
    const WinKeyProbe& probe = winKeyProbe();
    return probe.isWinKey && event.nativeScanCode() != 0 && probe.isWinKey(event.nativeScanCode());
}

bool THotkeyEx::winHeldIn(const QKeyEvent& event) {
    if (event.modifiers() & Qt::MetaModifier) return true;
    const WinKeyProbe& probe = winKeyProbe();
    return probe.winHeld && probe.winHeld(event.nativeModifiers());
}

uint8_t THotkeyEx::virtualKeyOf(const QKeyEvent& event) {
    const uint32_t keysym = event.nativeVirtualKey();
    switch (keysym) {
        case XK_Shift_L:
        case XK_Shift_R:
            return VK_SHIFT;
        case XK_Control_L:
        case XK_Control_R:
            return VK_CONTROL;
        case XK_Alt_L:
        case XK_Alt_R:
        case XK_Meta_L:
        case XK_Meta_R:
            return VK_MENU;
        case XK_Super_L:
            return VK_LWIN;
        case XK_Super_R:
            return VK_RWIN;
        default:
            break;
    }
    if (keysym != 0 && keysymMapper()) {
        if (uint8_t vk = keysymMapper()(keysym, event.nativeScanCode())) return vk;
    }
    return virtualKeyOfQtKey(event.key(), event.modifiers() & Qt::KeypadModifier);
}

uint16_t THotkeyEx::HotKey() const {
    uint16_t word = key_ ? static_cast<uint16_t>(key_ | modifiers_) : 0;
    if (FWinkey) word |= kShortCutWin;
    return word;
}

void THotkeyEx::setHotKey(uint16_t shortCut) {
    FWinkey = (shortCut & kShortCutWin) != 0;
    key_ = static_cast<uint8_t>(shortCut & kShortCutKeyMask);
    modifiers_ = key_ ? shortCut & (kShortCutShift | kShortCutCtrl | kShortCutAlt) : 0;
    update();
}

void THotkeyEx::setRules(uint16_t invalidCombinations, uint16_t substituteModifiers) {
    invalidCombinations_ = invalidCombinations;
    substituteModifiers_ = substituteModifiers & (kShortCutShift | kShortCutCtrl | kShortCutAlt);
}

void THotkeyEx::setKeyNames(const KeyNameSource* names) {
    names_ = names;
    update();
}

QString THotkeyEx::displayText() const {
    static const BuiltinKeyNames germanNames(BuiltinKeyNames::Group::German);
    const KeyNameSource& names = names_ ? *names_ : germanNames;
    uint16_t shown = key_ ? HotKey() : static_cast<uint16_t>(heldModifiers_);
    if (FWinkey || FWinkeyPressed) shown |= kShortCutWin;
    return QString::fromStdString(KeyTextToDisplay(ShortCutToKeyText(shown, true, names), names));
}

bool THotkeyEx::invalidCombination() const {
    const bool s = heldModifiers_ & kShortCutShift, c = heldModifiers_ & kShortCutCtrl,
               a = heldModifiers_ & kShortCutAlt;
    const int combination = (s ? 1 : 0) | (c ? 2 : 0) | (a ? 4 : 0);
    static constexpr uint16_t flagOf[8] = {HKCOMB_NONE, HKCOMB_S,  HKCOMB_C,  HKCOMB_SC,
                                           HKCOMB_A,    HKCOMB_SA, HKCOMB_CA, HKCOMB_SCA};
    return (invalidCombinations_ & flagOf[combination]) != 0;
}

void THotkeyEx::standardKeyDown(uint8_t vk) {
    const uint16_t oldWord = HotKey();
    const uint16_t oldHeld = heldModifiers_;
    // Every key that goes down begins a new combination.
    key_ = 0;
    modifiers_ = 0;
    switch (vk) {
        case VK_SHIFT:
            heldModifiers_ |= kShortCutShift;
            break;
        case VK_CONTROL:
            heldModifiers_ |= kShortCutCtrl;
            break;
        case VK_MENU:
            heldModifiers_ |= kShortCutAlt;
            break;
        case 0:
            break;
        default:
            key_ = vk;
            modifiers_ = invalidCombination() ? substituteModifiers_ : heldModifiers_;
            break;
    }
    update();
    if (oldWord != HotKey() || oldHeld != heldModifiers_) emit OnChange();
}

void THotkeyEx::standardKeyUp(uint8_t vk) {
    const uint16_t oldHeld = heldModifiers_;
    switch (vk) {
        case VK_SHIFT:
            heldModifiers_ &= ~kShortCutShift;
            break;
        case VK_CONTROL:
            heldModifiers_ &= ~kShortCutCtrl;
            break;
        case VK_MENU:
            heldModifiers_ &= ~kShortCutAlt;
            break;
        default:
            return;
    }
    update();
    if (oldHeld != heldModifiers_) emit OnChange();
}

void THotkeyEx::winKeyDown(bool autoRepeat) {
    bool changed = false;
    if (!FWinkeyPressed && !autoRepeat) {
        if (key_ != 0) {
            key_ = 0;
            modifiers_ = 0;
            FWinkey = false;
            changed = true;
        }
    }
    FWinkeyPressed = true;
    if (changed != FWinkey) emit OnChange();
    update();
}

void THotkeyEx::winKeyUp() {
    bool changed = false;
    if (FWinkey && key_ == 0) {
        FWinkey = false;
        changed = true;
    }
    FWinkeyPressed = false;
    if (changed != FWinkey) emit OnChange();
    update();
}

bool THotkeyEx::event(QEvent* e) {
    // Every key belongs to the field while it has the focus: no shortcut of the window (menu
    // mnemonics, Del) runs instead. Tab still moves the focus.
    if (e->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(e);
        if (k->key() != Qt::Key_Tab && k->key() != Qt::Key_Backtab) {
            e->accept();
            return true;
        }
    }
    return QWidget::event(e);
}

void THotkeyEx::keyPressEvent(QKeyEvent* e) {
    const uint8_t vk = virtualKeyOf(*e);
    if (isWinKeyEvent(*e, vk)) {
        winKeyDown(e->isAutoRepeat());
        return;
    }
    // A Windows key held down joins the key, also one whose own press the field did not see as
    // such (a tool may press Super on a keycode that carries it only on a shifted level): the
    // event's modifier state says it is down.
    FWinkey = FWinkeyPressed || winHeldIn(*e);
    switch (vk) {
        case VK_RETURN:
        case VK_SPACE:
        case VK_DELETE:
        case VK_ESCAPE:
        case VK_BACK:
            // These keys empty the field and are not part of a combination.
            standardKeyDown(0);
            e->ignore();
            return;
        default:
            break;
    }
    if (e->isAutoRepeat() && vk == key_) return;
    standardKeyDown(vk);
}

void THotkeyEx::keyReleaseEvent(QKeyEvent* e) {
    const uint8_t vk = virtualKeyOf(*e);
    if (isWinKeyEvent(*e, vk)) {
        if (!e->isAutoRepeat()) winKeyUp();
        return;
    }
    if (e->isAutoRepeat()) return;
    // The key of a complete combination keeps its Windows key, in whatever order the keys come
    // up: Win released before E still leaves Win+E, never the bare E.
    if (vk != VK_SHIFT && vk != VK_CONTROL && vk != VK_MENU && !(key_ != 0 && vk == key_)) {
        FWinkey = FWinkeyPressed || winHeldIn(*e);
        update();
    }
    standardKeyUp(vk);
}

void THotkeyEx::focusInEvent(QFocusEvent* e) {
    // The whole keyboard belongs to the field while it has the focus, so the Windows (Super)
    // keys reach it and not the desktop.
    if (!grabbing_ && isVisible()) {
        grabKeyboard();
        grabbing_ = true;
    }
    QWidget::focusInEvent(e);
    update();
}

void THotkeyEx::releaseGrab() {
    if (grabbing_) {
        releaseKeyboard();
        grabbing_ = false;
    }
}

void THotkeyEx::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    releaseGrab();
    FWinkeyPressed = false;
    heldModifiers_ = 0;
    update();
}

void THotkeyEx::hideEvent(QHideEvent* e) {
    releaseGrab();
    FWinkeyPressed = false;
    QWidget::hideEvent(e);
}

QSize THotkeyEx::sizeHint() const {
    return {fontMetrics().horizontalAdvance(QStringLiteral("Strg+Alt+Umschalt+W")) + 4,
            fontMetrics().height() + 4};
}

void THotkeyEx::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The field's background and its frame, as the style draws a line edit's.
    QStyleOptionFrame frame;
    frame.initFrom(this);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
    frame.midLineWidth = 0;
    frame.state |= QStyle::State_Sunken;
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &p, this);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    p.setFont(font());
    const QRect r = rect().adjusted(1, 1, -1, -1);
    const QString text = displayText();
    const QFontMetrics fm(font());
    const int top = r.top() + (r.height() - fm.height()) / 2;
    p.drawText(QPoint(r.left() + 2, top + fm.ascent()), text);
    if (hasFocus()) {
        const int x = r.left() + 2 + fm.horizontalAdvance(text);
        p.drawLine(x, top, x, top + fm.height() - 1);
    }
}

}  // namespace vorbix
