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

namespace vorbix {

namespace {

constexpr uint8_t kVkTab = 0x09;
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
    if (xcb_connection_t* c = x11::applicationConnection()) {
        static constexpr char kName[] = "CLIPBOARD";
        xcb_intern_atom_reply_t* reply =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof(kName) - 1, kName), nullptr);
        clipboardAtom_ = reply ? uint32_t(reply->atom) : uint32_t(XCB_ATOM_NONE);
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
    if (state_ == State::Pasting) finish();
}

void X11ClipboardInserter::insert(const ClipboardContent& content, bool tabAfter,
                                  bool keepClipboard) {
    // One insertion at a time: a second one while the target has not taken the first would
    // replace the first text before it is pasted.
    queue_.push_back({content, tabAfter, keepClipboard});
    if (state_ == State::Idle) startNext(false);
}

void X11ClipboardInserter::startNext(bool previousKept) {
    current_ = std::move(queue_.front());
    queue_.pop_front();
    if (!current_.keepClipboard) {
        previous_.reset();
        return begin();
    }
    if (previousKept) return begin();
    if (ownerIsThisProcess()) {
        // Our own data: at hand without asking anyone.
        previous_ = copyOf(QGuiApplication::clipboard()->mimeData());
        return begin();
    }
    state_ = State::Reading;
    reader_.read(kReadBoundMs, [this](std::vector<X11SelectionReader::Format> formats) {
        previous_ = X11SelectionReader::toMimeData(formats);
        begin();
    });
}

void X11ClipboardInserter::begin() {
    const ClipboardContent& content = current_.content;
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(content.plain));
    if (!content.html.empty()) data->setHtml(QString::fromStdString(content.html));
    if (!content.rtf.empty()) {
        const QByteArray rtf = QByteArray::fromStdString(content.rtf);
        data->setData(kRtfMime, rtf);
        data->setData(kRtfWindowsName, rtf);
    }
    data->setData(kSecretHint, QByteArrayLiteral("secret"));
    state_ = State::Pasting;
    requests_ = 0;
    otherRequests_ = 0;
    ours_ = data;
    QGuiApplication::clipboard()->setMimeData(data);

    // The paste goes to the client with the keyboard focus; its requests are the ones that count.
    targetClient_ = 0;
    if (xcb_connection_t* c = x11::applicationConnection()) {
        xcb_get_input_focus_reply_t* focus =
            xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr);
        // None (0) and PointerRoot (1) name no client.
        if (focus && focus->focus > 1) targetClient_ = focus->focus & clientMask_;
        std::free(focus);
    }
    strokeShortCut(kShortCutCtrl | kVkV, keys_);
    if (current_.tabAfter) {
        keys_.keyDown(kVkTab);
        keys_.keyUp(kVkTab);
    }
    giveUp_.start();
    limit_.start();
}

bool X11ClipboardInserter::ownerIsThisProcess() const {
    // Asked of the server: Qt's own idea of owning the clipboard can lag behind another client
    // taking it, and asking Qt for a foreign owner's data would wait for that owner.
    xcb_connection_t* c = x11::applicationConnection();
    if (!c) return QGuiApplication::clipboard()->ownsClipboard();
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, clipboardAtom_), nullptr);
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
    if (request->selection != clipboardAtom_ || !ours_) return false;
    if (fromTarget(request->requestor)) {
        ++requests_;
        settle_.start();
    } else {
        ++otherRequests_;
    }
    return false;
}

void X11ClipboardInserter::finish() {
    settle_.stop();
    giveUp_.stop();
    limit_.stop();
    if (state_ != State::Pasting) return;
    state_ = State::Idle;
    QClipboard* clipboard = QGuiApplication::clipboard();
    // Someone copied something else meanwhile: that content stays, or is what comes back.
    const bool stillOurs = ours_ && ownerIsThisProcess() && clipboard->mimeData() == ours_.data();
    ours_ = nullptr;
    if (!queue_.empty()) return startNext(stillOurs);
    if (stillOurs) {
        if (current_.keepClipboard && previous_) {
            clipboard->setMimeData(previous_.release());
        } else {
            clipboard->clear();
        }
    }
    previous_.reset();
    emit finished();
}

}  // namespace vorbix
