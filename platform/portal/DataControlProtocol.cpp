#include "platform/portal/DataControlProtocol.h"

#include <wayland-client-protocol.h>

extern "C" {

// Argument interfaces of the messages below, in one array as wayland-scanner lays them out:
// each message points at its first argument's slot. Strings and file descriptors take none.
static const struct wl_interface* dataControlTypes[] = {
    nullptr,
    nullptr,
    &zwlr_data_control_source_v1_interface,  // 2: manager.create_data_source(id)
    &zwlr_data_control_device_v1_interface,  // 3: manager.get_data_device(id, seat)
    &wl_seat_interface,
    &zwlr_data_control_source_v1_interface,  // 5: device.set_selection(source)
    &zwlr_data_control_offer_v1_interface,   // 6: device.data_offer(id)
    &zwlr_data_control_offer_v1_interface,   // 7: device.selection(id)
    &zwlr_data_control_source_v1_interface,  // 8: device.set_primary_selection(source)
    &zwlr_data_control_offer_v1_interface,   // 9: device.primary_selection(id)
};

static const struct wl_message managerRequests[] = {
    {"create_data_source", "n", dataControlTypes + 2},
    {"get_data_device", "no", dataControlTypes + 3},
    {"destroy", "", dataControlTypes + 0},
};
const struct wl_interface zwlr_data_control_manager_v1_interface = {
    "zwlr_data_control_manager_v1", 2, 3, managerRequests, 0, nullptr,
};

static const struct wl_message deviceRequests[] = {
    {"set_selection", "?o", dataControlTypes + 5},
    {"destroy", "", dataControlTypes + 0},
    {"set_primary_selection", "2?o", dataControlTypes + 8},
};
static const struct wl_message deviceEvents[] = {
    {"data_offer", "n", dataControlTypes + 6},
    {"selection", "?o", dataControlTypes + 7},
    {"finished", "", dataControlTypes + 0},
    {"primary_selection", "2?o", dataControlTypes + 9},
};
const struct wl_interface zwlr_data_control_device_v1_interface = {
    "zwlr_data_control_device_v1", 2, 3, deviceRequests, 4, deviceEvents,
};

static const struct wl_message sourceRequests[] = {
    {"offer", "s", dataControlTypes + 0},
    {"destroy", "", dataControlTypes + 0},
};
static const struct wl_message sourceEvents[] = {
    {"send", "sh", dataControlTypes + 0},
    {"cancelled", "", dataControlTypes + 0},
};
const struct wl_interface zwlr_data_control_source_v1_interface = {
    "zwlr_data_control_source_v1", 1, 2, sourceRequests, 2, sourceEvents,
};

static const struct wl_message offerRequests[] = {
    {"receive", "sh", dataControlTypes + 0},
    {"destroy", "", dataControlTypes + 0},
};
static const struct wl_message offerEvents[] = {
    {"offer", "s", dataControlTypes + 0},
};
const struct wl_interface zwlr_data_control_offer_v1_interface = {
    "zwlr_data_control_offer_v1", 1, 2, offerRequests, 1, offerEvents,
};
}

namespace vorbix::portal::datacontrol {
namespace {

// Request opcodes.
enum : uint32_t { kCreateDataSource = 0, kGetDataDevice = 1, kManagerDestroy = 2 };
enum : uint32_t { kSetSelection = 0, kDeviceDestroy = 1 };
enum : uint32_t { kOffer = 0, kSourceDestroy = 1 };
enum : uint32_t { kReceive = 0, kOfferDestroy = 1 };

wl_proxy* proxy(void* object) {
    return static_cast<wl_proxy*>(object);
}
uint32_t versionOf(void* object) {
    return wl_proxy_get_version(proxy(object));
}
void destroy(void* object, uint32_t opcode) {
    wl_proxy_marshal_flags(proxy(object), opcode, nullptr, versionOf(object),
                           WL_MARSHAL_FLAG_DESTROY);
}
template <typename Listener>
int listen(void* object, const Listener* listener, void* data) {
    // wayland-scanner's cast: a listener is a table of function pointers.
    return wl_proxy_add_listener(
        proxy(object), reinterpret_cast<void (**)(void)>(const_cast<Listener*>(listener)), data);
}

}  // namespace

zwlr_data_control_source_v1* createDataSource(zwlr_data_control_manager_v1* manager) {
    return reinterpret_cast<zwlr_data_control_source_v1*>(wl_proxy_marshal_flags(
        proxy(manager), kCreateDataSource, &zwlr_data_control_source_v1_interface,
        versionOf(manager), 0, nullptr));
}

zwlr_data_control_device_v1* getDataDevice(zwlr_data_control_manager_v1* manager, wl_seat* seat) {
    return reinterpret_cast<zwlr_data_control_device_v1*>(wl_proxy_marshal_flags(
        proxy(manager), kGetDataDevice, &zwlr_data_control_device_v1_interface, versionOf(manager),
        0, nullptr, seat));
}

void destroyManager(zwlr_data_control_manager_v1* manager) {
    destroy(manager, kManagerDestroy);
}

void setSelection(zwlr_data_control_device_v1* device, zwlr_data_control_source_v1* source) {
    wl_proxy_marshal_flags(proxy(device), kSetSelection, nullptr, versionOf(device), 0, source);
}

void destroyDevice(zwlr_data_control_device_v1* device) {
    destroy(device, kDeviceDestroy);
}

int addListener(zwlr_data_control_device_v1* device, const DeviceListener* listener, void* data) {
    return listen(device, listener, data);
}

void offerType(zwlr_data_control_source_v1* source, const char* mimeType) {
    wl_proxy_marshal_flags(proxy(source), kOffer, nullptr, versionOf(source), 0, mimeType);
}

void destroySource(zwlr_data_control_source_v1* source) {
    destroy(source, kSourceDestroy);
}

int addListener(zwlr_data_control_source_v1* source, const SourceListener* listener, void* data) {
    return listen(source, listener, data);
}

void receive(zwlr_data_control_offer_v1* offer, const char* mimeType, int32_t fd) {
    wl_proxy_marshal_flags(proxy(offer), kReceive, nullptr, versionOf(offer), 0, mimeType, fd);
}

void destroyOffer(zwlr_data_control_offer_v1* offer) {
    destroy(offer, kOfferDestroy);
}

int addListener(zwlr_data_control_offer_v1* offer, const OfferListener* listener, void* data) {
    return listen(offer, listener, data);
}

}  // namespace vorbix::portal::datacontrol
