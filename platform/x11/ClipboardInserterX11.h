// Inserts text into the focused window through the clipboard: the text goes onto the clipboard
// (plain text, HTML and RTF), Ctrl+V pastes it, Tab may follow. Afterwards the clipboard is
// cleared, or its previous content is put back, but only once the target has taken the data:
// the control watches the target's requests for the data and finishes about 100 ms after the
// last one, or after about a second when no request comes. Nothing blocks the event loop.
// Needs a QGuiApplication.
#pragma once

#include <QObject>
#include <QTimer>
#include <deque>
#include <memory>

#include "core/Ports.h"

class QMimeData;

namespace vorbix {

class X11ClipboardInserter : public QObject, public ClipboardInserter {
    Q_OBJECT
public:
    static constexpr int kSettleMs = 100;
    static constexpr int kGiveUpMs = 1000;

    explicit X11ClipboardInserter(KeyboardOutput& keys, QObject* parent = nullptr);
    // Finishes an insertion still waiting (restores or clears at once) and drops queued ones.
    ~X11ClipboardInserter() override;

    // An insertion asked for while another one waits for its target follows that one.
    void insert(const ClipboardContent& content, bool tabAfter, bool keepClipboard) override;

    // Whether an insertion still waits for its target.
    bool isPending() const { return pending_; }
    // How many times the target asked for the data of the current or last insertion.
    int requestCount() const { return requests_; }

signals:
    // The clipboard was restored or cleared after an insertion.
    void finished();

private:
    class WatchedMimeData;
    struct Insertion {
        ClipboardContent content;
        bool tabAfter = false;
        bool keepClipboard = false;
    };
    void begin(const Insertion& insertion);
    void onDataRequested();
    void finish();

    KeyboardOutput& keys_;
    QTimer settle_;
    QTimer giveUp_;
    bool pending_ = false;
    bool keep_ = false;
    bool armed_ = false;
    int requests_ = 0;
    const QMimeData* ours_ = nullptr;      // owned by the clipboard while it holds it
    std::unique_ptr<QMimeData> previous_;  // what to put back; null: the clipboard was empty
    std::deque<Insertion> queue_;
};

}  // namespace vorbix
