#include "platform/portal/WaylandSelection.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <set>

#include "platform/portal/DataControlProtocol.h"
#include "platform/portal/PipeTransfer.h"

Q_DECLARE_LOGGING_CATEGORY(lcStrokes)

namespace vorbix::portal {
namespace dc = datacontrol;

// An offer of another client's data, with the types it announced.
struct WaylandSelection::Offer {
    zwlr_data_control_offer_v1* offer = nullptr;
    std::vector<std::string> types;
    ~Offer() {
        if (offer) dc::destroyOffer(offer);
    }
};

void WaylandSelection::onGlobal(void* data, wl_registry* registry, uint32_t name,
                                const char* interface, uint32_t version) {
    auto* self = static_cast<WaylandSelection*>(data);
    const std::string iface = interface;
    if (iface == wl_seat_interface.name && !self->seat_) {
        self->seat_ = static_cast<wl_seat*>(
            wl_registry_bind(registry, name, &wl_seat_interface, std::min<uint32_t>(version, 4)));
        static const wl_seat_listener kSeatListener = {&WaylandSelection::onCapabilities,
                                                       &WaylandSelection::onSeatName};
        wl_seat_add_listener(self->seat_, &kSeatListener, self);
    } else if (iface == zwlr_data_control_manager_v1_interface.name && !self->manager_) {
        self->manager_ = static_cast<zwlr_data_control_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_data_control_manager_v1_interface,
                             std::min<uint32_t>(version, 2)));
    }
}

void WaylandSelection::onCapabilities(void* data, wl_seat* seat, uint32_t caps) {
    auto* self = static_cast<WaylandSelection*>(data);
    if (!(caps & WL_SEAT_CAPABILITY_KEYBOARD) || self->keyboard_) return;
    self->keyboard_ = wl_seat_get_keyboard(seat);
    static const wl_keyboard_listener kKeyboardListener = {
        &WaylandSelection::onKeymap,
        [](void*, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {},
        [](void*, wl_keyboard*, uint32_t, wl_surface*) {},
        [](void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t) {},
        [](void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {},
        [](void*, wl_keyboard*, int32_t, int32_t) {},
    };
    wl_keyboard_add_listener(self->keyboard_, &kKeyboardListener, self);
}

void WaylandSelection::onKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd,
                                uint32_t size) {
    auto* self = static_cast<WaylandSelection*>(data);
    if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
        void* map = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (map != MAP_FAILED) {
            const char* text = static_cast<const char*>(map);
            self->keymap_.assign(text, strnlen(text, size));
            ::munmap(map, size);
        }
    }
    ::close(fd);
}

void WaylandSelection::onDataOffer(void* data, zwlr_data_control_device_v1*,
                                   zwlr_data_control_offer_v1* offer) {
    auto* self = static_cast<WaylandSelection*>(data);
    auto entry = std::make_unique<Offer>();
    entry->offer = offer;
    static const dc::OfferListener kOfferListener = {&WaylandSelection::onOfferType};
    dc::addListener(offer, &kOfferListener, entry.get());
    self->pending_.push_back(std::move(entry));
}

void WaylandSelection::onOfferType(void* data, zwlr_data_control_offer_v1*, const char* mime) {
    static_cast<Offer*>(data)->types.emplace_back(mime);
}

void WaylandSelection::onSelection(void* data, zwlr_data_control_device_v1*,
                                   zwlr_data_control_offer_v1* offer) {
    auto* self = static_cast<WaylandSelection*>(data);
    self->selection_.reset();
    for (auto it = self->pending_.begin(); it != self->pending_.end(); ++it) {
        if ((*it)->offer == offer) {
            self->selection_ = std::move(*it);
            self->pending_.erase(it);
            break;
        }
    }
}

void WaylandSelection::onPrimarySelection(void* data, zwlr_data_control_device_v1*,
                                          zwlr_data_control_offer_v1* offer) {
    // The primary selection is not ours to touch; its offer is let go at once.
    auto* self = static_cast<WaylandSelection*>(data);
    std::erase_if(self->pending_, [offer](const auto& o) { return o->offer == offer; });
}

void WaylandSelection::onFinished(void* data, zwlr_data_control_device_v1*) {
    auto* self = static_cast<WaylandSelection*>(data);
    self->selection_.reset();
    self->pending_.clear();
    self->dropSource();
    if (self->device_) dc::destroyDevice(self->device_);
    self->device_ = nullptr;
}

void WaylandSelection::onSend(void* data, zwlr_data_control_source_v1* source, const char* mime,
                              int32_t fd) {
    auto* self = static_cast<WaylandSelection*>(data);
    if (source == self->source_) {
        for (const auto& [type, bytes] : self->ours_) {
            if (type != mime) continue;
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
            writeAll(fd, bytes, 1000);
            break;
        }
    }
    ::close(fd);
    emit self->dataSent();
}

void WaylandSelection::onCancelled(void* data, zwlr_data_control_source_v1* source) {
    auto* self = static_cast<WaylandSelection*>(data);
    if (source == self->source_) {
        self->source_ = nullptr;
        self->ours_.clear();
    }
    dc::destroySource(source);
}

WaylandSelection::WaylandSelection(QObject* parent) : ClipboardSelection(parent) {
    // Only the compositor the session names: no guess at "wayland-0".
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_SOCKET"))
        return;
    display_ = wl_display_connect(nullptr);
    if (!display_) return;
    registry_ = wl_display_get_registry(display_);
    static const wl_registry_listener kRegistryListener = {&WaylandSelection::onGlobal,
                                                           &WaylandSelection::onGlobalRemove};
    wl_registry_add_listener(registry_, &kRegistryListener, this);
    roundtrip();  // the globals
    roundtrip();  // the seat's capabilities and keymap
    if (manager_ && seat_) {
        device_ = dc::getDataDevice(manager_, seat_);
        static const dc::DeviceListener kDeviceListener = {
            &WaylandSelection::onDataOffer, &WaylandSelection::onSelection,
            &WaylandSelection::onFinished, &WaylandSelection::onPrimarySelection};
        dc::addListener(device_, &kDeviceListener, this);
        roundtrip();  // the current selection
    }
    notifier_ = new QSocketNotifier(wl_display_get_fd(display_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &WaylandSelection::dispatch);
    qCInfo(lcStrokes) << "Wayland clipboard through data control:" << (device_ ? "yes" : "no");
}

WaylandSelection::~WaylandSelection() {
    if (!display_) return;
    delete notifier_;
    selection_.reset();
    pending_.clear();
    dropSource();
    if (device_) dc::destroyDevice(device_);
    if (manager_) dc::destroyManager(manager_);
    if (keyboard_) wl_keyboard_destroy(keyboard_);
    if (seat_) wl_seat_destroy(seat_);
    if (registry_) wl_registry_destroy(registry_);
    wl_display_flush(display_);
    wl_display_disconnect(display_);
}

void WaylandSelection::dispatch() {
    // What has arrived, without waiting for more.
    while (wl_display_prepare_read(display_) != 0) wl_display_dispatch_pending(display_);
    wl_display_flush(display_);
    pollfd p{wl_display_get_fd(display_), POLLIN, 0};
    const bool readable = ::poll(&p, 1, 0) > 0;
    const int read =
        readable ? wl_display_read_events(display_) : (wl_display_cancel_read(display_), 0);
    if (read < 0 || wl_display_dispatch_pending(display_) < 0) {
        qCWarning(lcStrokes) << "the Wayland connection was lost";
        notifier_->setEnabled(false);
        selection_.reset();
        pending_.clear();
        source_ = nullptr;
        ours_.clear();
        device_ = nullptr;
        return;
    }
    flush();
}

void WaylandSelection::flush() {
    if (display_) wl_display_flush(display_);
}

void WaylandSelection::roundtrip() {
    if (display_ && wl_display_roundtrip(display_) < 0) device_ = nullptr;
}

void WaylandSelection::dropSource() {
    if (source_) dc::destroySource(source_);
    source_ = nullptr;
    ours_.clear();
}

std::string WaylandSelection::receive(zwlr_data_control_offer_v1* offer, const std::string& mime,
                                      int64_t deadlineMs) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return {};
    dc::receive(offer, mime.c_str(), fds[1]);
    flush();
    ::close(fds[1]);
    std::string bytes = readAll(fds[0], deadlineMs);
    ::close(fds[0]);
    return bytes;
}

WaylandSelection::Formats WaylandSelection::read(int boundMs) {
    if (!available()) return {};
    dispatch();  // a selection set a moment ago
    if (source_) return ours_;
    if (!selection_) return {};
    const int64_t deadline = nowMs() + boundMs;
    Formats formats;
    for (const std::string& type : selection_->types) {
        if (!carriesData(type)) continue;
        if (nowMs() >= deadline) break;
        std::string bytes = receive(selection_->offer, type, deadline);
        if (!bytes.empty()) formats.emplace_back(type, std::move(bytes));
    }
    return formats;
}

void WaylandSelection::set(Formats formats) {
    if (!available()) return;
    dropSource();
    source_ = dc::createDataSource(manager_);
    static const dc::SourceListener kSourceListener = {&WaylandSelection::onSend,
                                                       &WaylandSelection::onCancelled};
    dc::addListener(source_, &kSourceListener, this);
    for (const auto& format : formats) dc::offerType(source_, format.first.c_str());
    ours_ = std::move(formats);
    dc::setSelection(device_, source_);
    roundtrip();
}

void WaylandSelection::clearOurs() {
    if (!available() || !source_) return;
    dc::setSelection(device_, nullptr);
    dropSource();
    roundtrip();
}

}  // namespace vorbix::portal
