// Inserts text into the focused window through the clipboard: the text goes onto the clipboard
// (plain text, HTML and RTF, marked as secret so that clipboard managers keep no copy), Ctrl+V
// pastes it, Tab may follow. Afterwards the clipboard is cleared, or its previous content is put
// back, once the target has taken the data.
//
// Nothing waits for another client. The previous content is read in the background, for at most
// kReadBoundMs, and only what arrived in that time comes back. "The target has taken the data"
// means: a request for it came from the client that had the keyboard focus when the paste stroke
// was sent, so a clipboard manager copying the new content does not count. The insertion ends
// kSettleMs after the target's last request, after kGiveUpMs when the target asks nothing, and
// after kLimitMs whatever anyone asks. Needs a QGuiApplication on xcb.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <memory>

#include "core/Ports.h"
#include "platform/x11/X11SelectionReader.h"

class QMimeData;

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
    // Starts the next queued insertion; `previousKept`: previous_ still holds what the
    // clipboard had before the insertion that just ended, and the clipboard still holds ours.
    void startNext(bool previousKept);
    void begin();
    void finish();
    bool fromTarget(uint32_t requestor) const;
    bool ownerIsThisProcess() const;

    KeyboardOutput& keys_;
    X11SelectionReader reader_;
    QTimer settle_;
    QTimer giveUp_;
    QTimer limit_;
    State state_ = State::Idle;
    Insertion current_;
    int requests_ = 0;
    int otherRequests_ = 0;
    uint32_t clipboardAtom_ = 0;
    uint32_t clientMask_ = 0;              // the bits of a resource id that name its X client
    uint32_t ownClient_ = 0;               // those bits of this process's own resources
    uint32_t targetClient_ = 0;            // the focused client at the paste stroke; 0 when unknown
    QPointer<QMimeData> ours_;             // owned by the clipboard while it holds it
    std::unique_ptr<QMimeData> previous_;  // what to put back; null: nothing to put back
    std::deque<Insertion> queue_;
};

}  // namespace vorbix
