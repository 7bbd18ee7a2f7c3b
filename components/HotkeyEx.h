// THotkeyEx: the field in which the user presses a key combination. It behaves like the
// standard hot key field (modifiers are collected while held, the next key completes the
// combination, invalid combinations take the substitute modifiers) and adds the Windows key,
// which it captures through a keyboard grab while it has the focus. Its value is the 16-bit
// shortcut word: virtual-key code in the low byte, 0x1000 Win, 0x2000 Shift, 0x4000 Ctrl,
// 0x8000 Alt.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

#include "core/KeyNotation.h"

class QKeyEvent;

namespace vorbix {

// Invalid-combination rules of the field (the standard control's HKCOMB_* flags).
enum HotKeyCombination : uint16_t {
    HKCOMB_NONE = 0x01,  // a key without modifier
    HKCOMB_S = 0x02,     // Shift alone
    HKCOMB_C = 0x04,     // Ctrl alone
    HKCOMB_A = 0x08,     // Alt alone
    HKCOMB_SC = 0x10,
    HKCOMB_SA = 0x20,
    HKCOMB_CA = 0x40,
    HKCOMB_SCA = 0x80,
};

class THotkeyEx : public QWidget {
    Q_OBJECT
public:
    explicit THotkeyEx(QWidget* parent = nullptr);
    ~THotkeyEx() override;

    // The shortcut word of the combination in the field; 0 without a complete combination
    // (0x1000 while only the Windows key belongs to it).
    uint16_t HotKey() const;
    // Sets the combination; 0 empties the field.
    void setHotKey(uint16_t shortCut);

    // Invalid combinations (HKCOMB_* flags) take `substituteModifiers` (shortcut-word modifier
    // bits) instead of the modifiers held. The default declares a key without modifier invalid,
    // with no substitute modifier. Shift alone is kept: Shift with a key that types no character
    // (Shift+F5) is a combination of its own, and the table refuses Shift with a character key
    // with a hint instead of taking the bare key silently.
    void setRules(uint16_t invalidCombinations, uint16_t substituteModifiers);

    // Where the key names of the painted text come from; the built-in German names when none.
    void setKeyNames(const KeyNameSource* names);
    // Maps a key event's X keysym and keycode to a virtual-key code (0 when unknown). Without a
    // mapper, or when it answers 0, the Qt key code is mapped with the built-in table.
    using KeyMapper = std::function<uint8_t(uint32_t keysym, uint32_t keycode)>;
    static void setKeysymMapper(KeyMapper mapper);
    // How the platform tells the Windows key in a key event, whatever keycode and modifier a
    // keyboard or a tool uses for it: `isWinKey` for the event's keycode (a Super or Hyper key),
    // `winHeld` for its native modifier state (the modifiers those keys set). Qt's Meta key and
    // Meta modifier count as well.
    struct WinKeyProbe {
        std::function<bool(uint32_t keycode)> isWinKey;
        std::function<bool(uint32_t state)> winHeld;
    };
    static void setWinKeyProbe(WinKeyProbe probe);

    // The text the field shows at the moment.
    QString displayText() const;

    bool FWinkey = false;         // the Windows key belongs to the combination
    bool FWinkeyPressed = false;  // a Windows key is held down at this moment

    // The virtual-key code of a key event (0 when the key has none).
    static uint8_t virtualKeyOf(const QKeyEvent& event);

signals:
    void OnChange();

protected:
    bool event(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    QSize sizeHint() const override;

private:
    // The standard field's part: key down/up of an ordinary key or a modifier.
    void standardKeyDown(uint8_t vk);
    void standardKeyUp(uint8_t vk);
    void winKeyDown(bool autoRepeat);
    void winKeyUp();
    bool invalidCombination() const;
    static bool isWinKeyEvent(const QKeyEvent& event, uint8_t vk);
    static bool winHeldIn(const QKeyEvent& event);
    void releaseGrab();

    uint8_t key_ = 0;             // the standard field's key, 0 when none
    uint16_t modifiers_ = 0;      // the standard field's modifiers of that key (shortcut bits)
    uint16_t heldModifiers_ = 0;  // Shift/Ctrl/Alt held at this moment (shortcut bits)
    uint16_t invalidCombinations_ = HKCOMB_NONE;
    uint16_t substituteModifiers_ = 0;
    const KeyNameSource* names_ = nullptr;
    bool grabbing_ = false;
};

}  // namespace vorbix
