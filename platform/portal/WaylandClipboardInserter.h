// Inserts text into the focused window of a Wayland session. Where the compositor offers data
// control, the text goes on the Wayland clipboard (plain text, HTML and RTF, marked as secret for
// clipboard managers) and the portal's Ctrl+V pastes it; afterwards the previous content comes
// back (keepClipboard) or the clipboard is emptied, once the target has taken the data: kSettleMs
// after the last request for it, kGiveUpMs after the stroke when nobody asked, kLimitMs at most.
// Without data control the portal's own clipboard of the RemoteDesktop session serves the same
// way where the desktop gives it (GNOME); otherwise the text is typed through the portal, and
// the characters the keyboard lacks are reported (charactersMissing), not dropped silently.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <memory>

#include "core/Ports.h"
#include "platform/portal/WaylandSelection.h"

namespace vorbix::portal {

class PortalClipboard;
class PortalKeyboardOutput;

class WaylandClipboardInserter : public QObject, public ClipboardInserter {
    Q_OBJECT
public:
    static constexpr int kReadBoundMs = 300;
    static constexpr int kSettleMs = 100;
    static constexpr int kGiveUpMs = 1000;
    static constexpr int kLimitMs = 3000;

    // `portalClipboard` (may be null): the RemoteDesktop session's clipboard, asked for only
    // when the compositor offers no data control.
    explicit WaylandClipboardInserter(PortalKeyboardOutput& keys,
                                      PortalClipboard* portalClipboard = nullptr,
                                      QObject* parent = nullptr);
    ~WaylandClipboardInserter() override;

    // Whether the text goes through the clipboard; false: it is typed.
    bool available() const;
    // An insertion asked for while another one is under way follows that one.
    void insert(const ClipboardContent& content, bool tabAfter, bool keepClipboard) override;
    bool isPending() const { return state_ != State::Idle || !queue_.empty(); }

signals:
    // The clipboard was restored or emptied after the last insertion (or the text was typed).
    void finished();
    // A typed insertion left these characters out: the keyboard has no key for them.
    void charactersMissing(const QString& characters);

private:
    enum class State { Idle, Pasting };
    struct Insertion {
        ClipboardContent content;
        bool tabAfter = false;
        bool keepClipboard = false;
    };
    // The way to the clipboard: data control, else the portal's clipboard; null: none.
    ClipboardSelection* selection();
    void startNext(bool previousKept);
    void paste();
    void type();
    void finish();

    PortalKeyboardOutput& keys_;
    WaylandSelection dataControl_;
    PortalClipboard* portalClipboard_;
    ClipboardSelection* using_ = nullptr;  // the way the insertion under way took
    QTimer settle_;
    QTimer giveUp_;
    QTimer limit_;
    State state_ = State::Idle;
    bool strokesOut_ = false;  // the paste stroke has been taken by the desktop
    int requests_ = 0;
    Insertion current_;
    WaylandSelection::Formats previous_;
    std::deque<Insertion> queue_;
};

}  // namespace vorbix::portal
