#include "platform/x11/ClipboardInserterX11.h"

#include <xcb/xcb.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMimeData>
#include <cstdlib>
#include <cstring>

#include "core/KeyCombStroke.h"
#include "core/KeyNotation.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11WindowClass.h"

namespace vorbix {

namespace {

constexpr uint8_t kVkTab = 0x09;
constexpr uint8_t kVkInsert = 0x2D;
constexpr uint8_t kVkV = 0x56;
// The clipboard names of RTF: the MIME type, and the name Windows programs use.
const QString kRtfMime = QStringLiteral("text/rtf");
const QString kRtfWindowsName = QStringLiteral("Rich Text Format");
const QString kQtImageMime = QStringLiteral("application/x-qt-image");
// Asks clipboard managers (Klipper, CopyQ, the GNOME clipboard histories, ...) to keep no copy of
// the data: it is a stored text on its way into one window, not something the user copied.
const QString kSecretHint = QStringLiteral("x-kde-passwordManagerHint");

// A copy of clipboard data this process holds itself, or null when it offers nothing.
std::unique_ptr<QMimeData> copyOf(const QMimeData* source) {
    if (!source || source->formats().isEmpty()) return nullptr;
    auto copy = std::make_unique<QMimeData>();
    if (source->hasImage()) copy->setImageData(source->imageData());
    for (const QString& format : source->formats()) {
        if (format == kQtImageMime) continue;
        copy->setData(format, source->data(format));
    }
    return copy;
}

// The data of one insertion; a terminal gets the plain text alone.
QMimeData* insertionData(const ClipboardContent& content, bool plainOnly) {
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(content.plain));
    if (!plainOnly && !content.html.empty()) data->setHtml(QString::fromStdString(content.html));
    if (!plainOnly && !content.rtf.empty()) {
        const QByteArray rtf = QByteArray::fromStdString(content.rtf);
        data->setData(kRtfMime, rtf);
        data->setData(kRtfWindowsName, rtf);
    }
    data->setData(kSecretHint, QByteArrayLiteral("secret"));
    return data;
}

uint16_t strokeWord(PasteStroke stroke) {
    switch (stroke) {
        case PasteStroke::CtrlShiftV:
            return kShortCutCtrl | kShortCutShift | kVkV;
        case PasteStroke::ShiftInsert:
            return kShortCutShift | kVkInsert;
        case PasteStroke::CtrlV:
            break;
    }
    return kShortCutCtrl | kVkV;
}

}  // namespace

X11ClipboardInserter::X11ClipboardInserter(KeyboardOutput& keys, QObject* parent)
    : QObject(parent), keys_(keys) {
    for (auto [timer, ms] : {std::pair{&settle_, kSettleMs}, std::pair{&giveUp_, kGiveUpMs},
                             std::pair{&limit_, kLimitMs}}) {
        timer->setSingleShot(true);
        timer->setInterval(ms);
    }
    connect(&settle_, &QTimer::timeout, this, &X11ClipboardInserter::finish);
    connect(&limit_, &QTimer::timeout, this, &X11ClipboardInserter::finish);
    connect(&giveUp_, &QTimer::timeout, this, [this] {
        if (requests_ == 0) finish();
    });
    primary_.atom = XCB_ATOM_PRIMARY;
    if (xcb_connection_t* c = x11::applicationConnection()) {
        static constexpr char kName[] = "CLIPBOARD";
        xcb_intern_atom_reply_t* reply =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof(kName) - 1, kName), nullptr);
        clipboard_.atom = reply ? uint32_t(reply->atom) : uint32_t(XCB_ATOM_NONE);
        std::free(reply);
        clientMask_ = ~xcb_get_setup(c)->resource_id_mask;
        ownClient_ = xcb_get_setup(c)->resource_id_base & clientMask_;
    }
    if (auto* app = QCoreApplication::instance()) app->installNativeEventFilter(this);
}

X11ClipboardInserter::~X11ClipboardInserter() {
    if (auto* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
    queue_.clear();
    reader_.cancel();
    primaryReader_.cancel();
    if (state_ == State::Pasting) finish();
}

void X11ClipboardInserter::insert(const ClipboardContent& content, bool tabAfter,
                                  bool keepClipboard) {
    // One insertion at a time: a second one while the target has not taken the first would
    // replace the first text before it is pasted.
    queue_.push_back({content, tabAfter, keepClipboard});
    if (state_ == State::Idle) startNext(false, false);
}

void X11ClipboardInserter::startNext(bool clipboardKept, bool primaryKept) {
    current_ = std::move(queue_.front());
    queue_.pop_front();
    // The paste goes to the client with the keyboard focus; its requests are the ones that count,
    // and its window class chooses the paste stroke.
    const x11::FocusedWindow focus = x11::focusedWindow(x11::applicationConnection());
    targetClient_ = focus.window ? focus.window & clientMask_ : 0;
    stroke_ = pasteStrokeFor(focus.instance, focus.windowClass);
    const bool usesPrimary =
        stroke_ == PasteStroke::ShiftInsert && QGuiApplication::clipboard()->supportsSelection();
    if (!current_.keepClipboard) {
        clipboard_.previous.reset();
        primary_.previous.reset();
        return begin();
    }
    readsPending_ = 0;
    if (!clipboardKept) keepPrevious(clipboard_, reader_);
    if (!primaryKept && usesPrimary) keepPrevious(primary_, primaryReader_);
    if (!primaryKept && !usesPrimary) primary_.previous.reset();
    if (readsPending_ == 0) return begin();
    state_ = State::Reading;
}

void X11ClipboardInserter::keepPrevious(Held& held, X11SelectionReader& reader) {
    if (ownerIsThisProcess(held.atom)) {
        // Our own data: at hand without asking anyone.
        held.previous = copyOf(QGuiApplication::clipboard()->mimeData(held.mode));
        return;
    }
    ++readsPending_;
    reader.read(kReadBoundMs, [this, &held](std::vector<X11SelectionReader::Format> formats) {
        held.previous = X11SelectionReader::toMimeData(formats);
        if (--readsPending_ == 0) begin();
    });
}

void X11ClipboardInserter::begin() {
    const bool plainOnly = pastesPlainTextOnly(stroke_);
    state_ = State::Pasting;
    requests_ = 0;
    otherRequests_ = 0;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard_.ours = insertionData(current_.content, plainOnly);
    clipboard->setMimeData(clipboard_.ours, QClipboard::Clipboard);
    if (stroke_ == PasteStroke::ShiftInsert && clipboard->supportsSelection()) {
        primary_.ours = insertionData(current_.content, plainOnly);
        clipboard->setMimeData(primary_.ours, QClipboard::Selection);
    }
    strokeShortCut(strokeWord(stroke_), keys_);
    if (current_.tabAfter) {
        keys_.keyDown(kVkTab);
        keys_.keyUp(kVkTab);
    }
    giveUp_.start();
    limit_.start();
}

bool X11ClipboardInserter::ownerIsThisProcess(uint32_t selection) const {
    // Asked of the server: Qt's own idea of owning the clipboard can lag behind another client
    // taking it, and asking Qt for a foreign owner's data would wait for that owner.
    xcb_connection_t* c = x11::applicationConnection();
    if (!c) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        return selection == XCB_ATOM_PRIMARY ? clipboard->ownsSelection()
                                             : clipboard->ownsClipboard();
    }
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const xcb_window_t owner = reply ? reply->owner : xcb_window_t(XCB_NONE);
    std::free(reply);
    return owner != XCB_NONE && (owner & clientMask_) == ownClient_;
}

bool X11ClipboardInserter::fromTarget(uint32_t requestor) const {
    return targetClient_ == 0 || (requestor & clientMask_) == targetClient_;
}

bool X11ClipboardInserter::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (state_ != State::Pasting || eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_SELECTION_REQUEST) return false;
    const auto* request = static_cast<const xcb_selection_request_event_t*>(message);
    // Requests for the data this insertion put there; Qt answers them as ever.
    const bool ours = (request->selection == clipboard_.atom && clipboard_.ours) ||
                      (request->selection == primary_.atom && primary_.ours);
    if (!ours) return false;
    if (fromTarget(request->requestor)) {
        ++requests_;
        settle_.start();
    } else {
        ++otherRequests_;
    }
    return false;
}

bool X11ClipboardInserter::stillOurs(Held& held) {
    // Someone copied or selected something else meanwhile: that content stays, or is what
    // comes back.
    const bool ours = held.ours && ownerIsThisProcess(held.atom) &&
                      QGuiApplication::clipboard()->mimeData(held.mode) == held.ours.data();
    if (!ours) {
        held.ours = nullptr;
        held.previous.reset();
    }
    return ours;
}

void X11ClipboardInserter::putBack(Held& held, bool keep) {
    if (held.ours) {
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (keep && held.previous) {
            clipboard->setMimeData(held.previous.release(), held.mode);
        } else {
            clipboard->clear(held.mode);
        }
    }
    held.ours = nullptr;
    held.previous.reset();
}

void X11ClipboardInserter::finish() {
    settle_.stop();
    giveUp_.stop();
    limit_.stop();
    if (state_ != State::Pasting) return;
    state_ = State::Idle;
    const bool clipboardOurs = stillOurs(clipboard_);
    const bool primaryOurs = stillOurs(primary_);
    if (!queue_.empty()) return startNext(clipboardOurs, primaryOurs);
    putBack(clipboard_, current_.keepClipboard);
    putBack(primary_, current_.keepClipboard);
    emit finished();
}

}  // namespace vorbix
