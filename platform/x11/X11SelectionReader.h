// Reads everything the CLIPBOARD (or the PRIMARY) selection offers, without waiting for its owner:
// the requests go out on an X connection of its own, the answers are taken as they arrive through
// the event loop, and the whole read ends after a fixed time whatever the owner does. What did not
// arrive by then (a format never delivered, a transfer cut short) is left out. Large formats arrive
// in pieces (INCR) like any other. Needs a Qt event loop and $DISPLAY.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QMimeData;
class QSocketNotifier;
struct xcb_connection_t;

namespace vorbix {

class X11SelectionReader : public QObject {
    Q_OBJECT
public:
    // One format the owner delivered: its target name (an atom name such as "UTF8_STRING" or
    // "text/html") and the bytes.
    using Format = std::pair<QString, QByteArray>;
    using Done = std::function<void(std::vector<Format>)>;

    // Limits of one read: formats and bytes beyond them are left out.
    static constexpr int kMaxFormats = 64;
    static constexpr qsizetype kMaxBytes = 64 * 1024 * 1024;

    enum class Selection { Clipboard, Primary };

    explicit X11SelectionReader(QObject* parent = nullptr);
    explicit X11SelectionReader(Selection selection, QObject* parent = nullptr);
    ~X11SelectionReader() override;

    // Starts reading; `done` runs from the event loop with what arrived within `boundMs` (at
    // once with nothing when the display cannot be reached). A read still running is cancelled
    // first, without calling its `done`.
    void read(int boundMs, Done done);
    void cancel();
    bool isReading() const { return reading_; }

    // The formats as clipboard data that gives them back under the same names: "UTF8_STRING"
    // becomes text, the Latin-1 "STRING" too when there is no UTF-8 text, and the other names stay
    // as they are. Null when nothing is left.
    static std::unique_ptr<QMimeData> toMimeData(const std::vector<Format>& formats);

private:
    struct Atoms;
    bool connectOnce();
    void onReadable();
    void handle(const void* event);
    void requestNext();
    void takeProperty();
    void finish();

    Selection selection_ = Selection::Clipboard;
    xcb_connection_t* c_ = nullptr;
    std::unique_ptr<Atoms> atoms_;
    QSocketNotifier* notifier_ = nullptr;
    QTimer bound_;
    bool reading_ = false;
    Done done_;
    uint32_t window_ = 0;                              // the requestor window of this read
    std::vector<std::pair<uint32_t, QString>> queue_;  // targets still to ask for
    uint32_t asked_ = 0;  // the target asked for now; 0 while TARGETS is asked for
    QString askedName_;
    bool incremental_ = false;  // the current target arrives in pieces
    QByteArray pieces_;
    qsizetype total_ = 0;
    std::vector<Format> formats_;
};

}  // namespace vorbix
