#include "platform/x11/X11SelectionReader.h"

#include <xcb/xcb.h>

#include <QMimeData>
#include <QSocketNotifier>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace vorbix {

namespace {

// Targets that are no data of their own: requests with side effects, server resources, the
// list itself, and the legacy text encodings that UTF-8 text stands for.
constexpr const char* kSkippedTargets[] = {
    "TARGETS",         "MULTIPLE",
    "TIMESTAMP",       "SAVE_TARGETS",
    "DELETE",          "INSERT_SELECTION",
    "INSERT_PROPERTY", "PIXMAP",
    "BITMAP",          "DRAWABLE",
    "COLORMAP",        "TEXT",
    "COMPOUND_TEXT",   "application/x-qt-image",
};

xcb_atom_t internAtom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

bool isSkipped(const QString& name) {
    return std::any_of(std::begin(kSkippedTargets), std::end(kSkippedTargets),
                       [&](const char* skipped) { return name == QLatin1String(skipped); });
}

}  // namespace

struct X11SelectionReader::Atoms {
    xcb_atom_t clipboard = XCB_ATOM_NONE;
    xcb_atom_t targets = XCB_ATOM_NONE;
    xcb_atom_t incr = XCB_ATOM_NONE;
    xcb_atom_t property = XCB_ATOM_NONE;
};

X11SelectionReader::X11SelectionReader(QObject* parent)
    : X11SelectionReader(Selection::Clipboard, parent) {}

X11SelectionReader::X11SelectionReader(Selection selection, QObject* parent)
    : QObject(parent), selection_(selection) {
    bound_.setSingleShot(true);
    connect(&bound_, &QTimer::timeout, this, &X11SelectionReader::finish);
}

X11SelectionReader::~X11SelectionReader() {
    cancel();
    delete notifier_;
    if (c_) xcb_disconnect(c_);
}

bool X11SelectionReader::connectOnce() {
    if (c_ && !xcb_connection_has_error(c_)) return true;
    if (c_) {
        delete notifier_;
        notifier_ = nullptr;
        xcb_disconnect(c_);
        c_ = nullptr;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return false;
    }
    c_ = c;
    atoms_ = std::make_unique<Atoms>();
    atoms_->clipboard = selection_ == Selection::Primary ? xcb_atom_t(XCB_ATOM_PRIMARY)
                                                         : internAtom(c_, "CLIPBOARD");
    atoms_->targets = internAtom(c_, "TARGETS");
    atoms_->incr = internAtom(c_, "INCR");
    atoms_->property = internAtom(c_, "VORBIX_SELECTION");
    notifier_ = new QSocketNotifier(xcb_get_file_descriptor(c_), QSocketNotifier::Read);
    connect(notifier_, &QSocketNotifier::activated, this, &X11SelectionReader::onReadable);
    return true;
}

void X11SelectionReader::read(int boundMs, Done done) {
    cancel();
    done_ = std::move(done);
    reading_ = true;
    if (!connectOnce()) {
        bound_.start(0);
        return;
    }
    // A window of its own for every read: answers that come late for an earlier read go to a
    // window that is gone and cannot be mistaken for this read's.
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
    window_ = xcb_generate_id(c_);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                      &events);
    asked_ = 0;
    xcb_convert_selection(c_, window_, atoms_->clipboard, atoms_->targets, atoms_->property,
                          XCB_CURRENT_TIME);
    xcb_flush(c_);
    bound_.start(boundMs);
}

void X11SelectionReader::cancel() {
    bound_.stop();
    if (c_ && window_) {
        xcb_destroy_window(c_, window_);
        xcb_flush(c_);
    }
    window_ = 0;
    reading_ = false;
    incremental_ = false;
    pieces_.clear();
    queue_.clear();
    formats_.clear();
    total_ = 0;
    done_ = nullptr;
}

void X11SelectionReader::onReadable() {
    if (!c_) return;
    while (xcb_generic_event_t* event = xcb_poll_for_event(c_)) {
        handle(event);
        std::free(event);
        if (!c_) return;
    }
    if (xcb_connection_has_error(c_) && reading_) finish();
}

void X11SelectionReader::handle(const void* raw) {
    const auto* event = static_cast<const xcb_generic_event_t*>(raw);
    if (!reading_ || !window_) return;
    switch (event->response_type & ~0x80) {
        case XCB_SELECTION_NOTIFY: {
            const auto* e = static_cast<const xcb_selection_notify_event_t*>(raw);
            const xcb_atom_t expected = asked_ ? asked_ : atoms_->targets;
            if (e->requestor != window_ || e->target != expected || incremental_) return;
            if (e->property == XCB_ATOM_NONE) {
                // The owner has no such format (or no owner at all when TARGETS was asked).
                if (asked_ == 0) return finish();
                return requestNext();
            }
            takeProperty();
            return;
        }
        case XCB_PROPERTY_NOTIFY: {
            const auto* e = static_cast<const xcb_property_notify_event_t*>(raw);
            if (incremental_ && e->window == window_ && e->atom == atoms_->property &&
                e->state == XCB_PROPERTY_NEW_VALUE)
                takeProperty();
            return;
        }
        default:
            return;
    }
}

void X11SelectionReader::takeProperty() {
    // Reading with delete also tells an incremental owner to send its next piece.
    const uint32_t longs = static_cast<uint32_t>((kMaxBytes - total_) / 4 + 1);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c_, xcb_get_property(c_, 1, window_, atoms_->property, XCB_GET_PROPERTY_TYPE_ANY, 0, longs),
        nullptr);
    if (!reply) return finish();
    const int length = xcb_get_property_value_length(reply);
    const auto* value = static_cast<const char*>(xcb_get_property_value(reply));
    const bool tooLarge = reply->bytes_after > 0;
    const bool startsPieces = !incremental_ && reply->type == atoms_->incr;
    QByteArray bytes(value, length);
    const xcb_atom_t type = reply->type;
    const uint8_t format = reply->format;
    std::free(reply);

    if (startsPieces) {
        incremental_ = true;
        pieces_.clear();
        return;
    }
    if (incremental_) {
        if (tooLarge || total_ + pieces_.size() + bytes.size() > kMaxBytes) {
            // The owner goes on sending into the same property: nothing more can be asked.
            return finish();
        }
        if (!bytes.isEmpty()) {
            pieces_ += bytes;
            return;
        }
        incremental_ = false;
        bytes = std::move(pieces_);
        pieces_.clear();
    } else if (tooLarge) {
        return requestNext();
    }

    if (asked_ == 0) {
        // The list of targets: ask for the names of those worth reading, all at once.
        if (format != 32 || (type != XCB_ATOM_ATOM && type != atoms_->targets)) return finish();
        const auto* atoms = reinterpret_cast<const xcb_atom_t*>(bytes.constData());
        const int count = int(bytes.size() / 4);
        std::vector<xcb_get_atom_name_cookie_t> cookies;
        for (int i = 0; i < count; ++i) cookies.push_back(xcb_get_atom_name(c_, atoms[i]));
        std::vector<std::pair<xcb_atom_t, QString>> named;
        for (int i = 0; i < count; ++i) {
            xcb_get_atom_name_reply_t* name = xcb_get_atom_name_reply(c_, cookies[i], nullptr);
            if (!name) continue;
            QString text = QString::fromLatin1(xcb_get_atom_name_name(name),
                                               xcb_get_atom_name_name_length(name));
            std::free(name);
            if (!isSkipped(text)) named.emplace_back(atoms[i], std::move(text));
        }
        const auto offers = [&](const char* name) {
            return std::any_of(named.begin(), named.end(),
                               [&](const auto& n) { return n.second == QLatin1String(name); });
        };
        // One text is enough: UTF-8 first, then text/plain, then Latin-1.
        const bool utf8 = offers("UTF8_STRING");
        const bool plain = offers("text/plain");
        for (auto& n : named) {
            if ((utf8 && (n.second == QLatin1String("text/plain") ||
                          n.second == QLatin1String("STRING"))) ||
                (plain && n.second == QLatin1String("STRING")))
                continue;
            if (std::none_of(queue_.begin(), queue_.end(),
                             [&](const auto& q) { return q.first == n.first; }))
                queue_.push_back(std::move(n));
        }
        return requestNext();
    }
    total_ += bytes.size();
    formats_.emplace_back(askedName_, std::move(bytes));
    requestNext();
}

void X11SelectionReader::requestNext() {
    if (queue_.empty() || int(formats_.size()) >= kMaxFormats) return finish();
    asked_ = queue_.front().first;
    askedName_ = queue_.front().second;
    queue_.erase(queue_.begin());
    xcb_convert_selection(c_, window_, atoms_->clipboard, asked_, atoms_->property,
                          XCB_CURRENT_TIME);
    xcb_flush(c_);
}

void X11SelectionReader::finish() {
    std::vector<Format> formats = std::move(formats_);
    Done done = std::move(done_);
    cancel();
    if (done) done(std::move(formats));
}

std::unique_ptr<QMimeData> X11SelectionReader::toMimeData(const std::vector<Format>& formats) {
    auto data = std::make_unique<QMimeData>();
    const auto has = [&](const char* name) {
        return std::any_of(formats.begin(), formats.end(),
                           [&](const Format& f) { return f.first == QLatin1String(name); });
    };
    const bool utf8 = has("UTF8_STRING");
    const bool plain = has("text/plain");
    for (const auto& [name, bytes] : formats) {
        if (name == QLatin1String("UTF8_STRING")) {
            data->setData(QStringLiteral("text/plain"), bytes);
        } else if (name == QLatin1String("STRING")) {
            if (!utf8 && !plain) data->setText(QString::fromLatin1(bytes));
        } else if (name == QLatin1String("text/plain")) {
            if (!utf8) data->setData(name, bytes);
        } else {
            data->setData(name, bytes);
        }
    }
    if (data->formats().isEmpty()) return nullptr;
    return data;
}

}  // namespace vorbix
