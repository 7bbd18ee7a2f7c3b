// Inserts text into the focused window through the clipboard: the text goes onto the clipboard
// (plain text, HTML and RTF, marked as secret so that clipboard managers keep no copy), the
// window's paste stroke pastes it, Tab may follow. Afterwards the clipboard is cleared, or its
// previous content is put back, once the target has taken the data.
//
// The paste stroke is Ctrl+V, except in terminals (known by the WM_CLASS of the focused window,
// core/TerminalPaste.h): they get plain text alone, with Ctrl+Shift+V, or for xterm and
// rxvt-unicode with Shift+Insert, which pastes the PRIMARY selection; there the text is offered
// as the PRIMARY selection too, and that selection is put back or cleared like the clipboard.
//
// Nothing waits for another client. The previous content is read in the background, for at most
// kReadBoundMs, and only what arrived in that time comes back. "The target has taken the data"
// means: a request for it came from the client that had the keyboard focus when the insertion
// started, so a clipboard manager copying the new content does not count. The insertion ends
// kSettleMs after the target's last request, after kGiveUpMs when the target asks nothing, and
// after kLimitMs whatever anyone asks. Needs a QGuiApplication on xcb.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QClipboard>
#include <QMimeData>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <memory>

#include "core/Ports.h"
#include "core/TerminalPaste.h"
#include "platform/x11/X11SelectionReader.h"

namespace vorbix {

class X11ClipboardInserter : public QObject,
                             public ClipboardInserter,
                             public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    static constexpr int kReadBoundMs = 300;
    static constexpr int kSettleMs = 100;
    static constexpr int kGiveUpMs = 1000;
    static constexpr int kLimitMs = 2000;

    explicit X11ClipboardInserter(KeyboardOutput& keys, QObject* parent = nullptr);
    // Finishes an insertion still waiting (restores or clears at once) and drops queued ones.
    ~X11ClipboardInserter() override;

    // An insertion asked for while another one is under way follows that one.
    void insert(const ClipboardContent& content, bool tabAfter, bool keepClipboard) override;

    // Whether an insertion is under way or waiting.
    bool isPending() const { return state_ != State::Idle || !queue_.empty(); }
    // How many times the target asked for the data of the current or last insertion.
    int requestCount() const { return requests_; }
    // How many requests of other clients came meanwhile.
    int otherRequestCount() const { return otherRequests_; }
    // The paste stroke of the current or last insertion.
    PasteStroke lastStroke() const { return stroke_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    // The clipboard was restored or cleared after the last insertion.
    void finished();

private:
    enum class State { Idle, Reading, Pasting };
    struct Insertion {
        ClipboardContent content;
        bool tabAfter = false;
        bool keepClipboard = false;
    };
    // One selection this program fills for an insertion: what it put there and what to put back.
    struct Held {
        explicit Held(QClipboard::Mode m) : mode(m) {}
        QClipboard::Mode mode;
        uint32_t atom = 0;
        QPointer<QMimeData> ours;             // owned by the clipboard while it holds it
        std::unique_ptr<QMimeData> previous;  // what to put back; null: nothing
    };
    // Starts the next queued insertion; `clipboardKept`, `primaryKept`: the selection still holds
    // the data of the insertion that just ended, and its `previous` what it had before that one.
    void startNext(bool clipboardKept, bool primaryKept);
    // Takes the previous content of the selection now, or reads it in the background.
    void keepPrevious(Held& held, X11SelectionReader& reader);
    void begin();
    void finish();
    // Whether the selection still holds the data this program put there; forgets it if not.
    bool stillOurs(Held& held);
    void putBack(Held& held, bool keep);
    bool fromTarget(uint32_t requestor) const;
    bool ownerIsThisProcess(uint32_t selection) const;

    KeyboardOutput& keys_;
    X11SelectionReader reader_;
    X11SelectionReader primaryReader_{X11SelectionReader::Selection::Primary};
    int readsPending_ = 0;
    QTimer settle_;
    QTimer giveUp_;
    QTimer limit_;
    State state_ = State::Idle;
    Insertion current_;
    PasteStroke stroke_ = PasteStroke::CtrlV;
    int requests_ = 0;
    int otherRequests_ = 0;
    uint32_t clientMask_ = 0;    // the bits of a resource id that name its X client
    uint32_t ownClient_ = 0;     // those bits of this process's own resources
    uint32_t targetClient_ = 0;  // the focused client at the start; 0 when unknown
    Held clipboard_{QClipboard::Clipboard};
    Held primary_{QClipboard::Selection};
    std::deque<Insertion> queue_;
};

}  // namespace vorbix
