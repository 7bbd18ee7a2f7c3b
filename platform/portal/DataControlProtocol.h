// The client side of the Wayland protocol zwlr_data_control_unstable_v1 (versions 1 and 2): a
// client without keyboard focus reads and sets the seat's selection, as clipboard managers do.
// Plasma's kwin and the wlroots compositors offer it. The interface tables and the request
// wrappers are written here by hand, in the form wayland-scanner gives, for the four interfaces.
#pragma once

#include <wayland-client-core.h>

#include <cstdint>

extern "C" {

struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_source_v1;
struct zwlr_data_control_offer_v1;
struct wl_seat;

extern const struct wl_interface zwlr_data_control_manager_v1_interface;
extern const struct wl_interface zwlr_data_control_device_v1_interface;
extern const struct wl_interface zwlr_data_control_source_v1_interface;
extern const struct wl_interface zwlr_data_control_offer_v1_interface;
}

namespace vorbix::portal::datacontrol {

// Event listeners, in the protocol's event order.
struct DeviceListener {
    void (*data_offer)(void* data, zwlr_data_control_device_v1* device,
                       zwlr_data_control_offer_v1* offer);
    void (*selection)(void* data, zwlr_data_control_device_v1* device,
                      zwlr_data_control_offer_v1* offer);
    void (*finished)(void* data, zwlr_data_control_device_v1* device);
    void (*primary_selection)(void* data, zwlr_data_control_device_v1* device,
                              zwlr_data_control_offer_v1* offer);
};
struct SourceListener {
    void (*send)(void* data, zwlr_data_control_source_v1* source, const char* mimeType, int32_t fd);
    void (*cancelled)(void* data, zwlr_data_control_source_v1* source);
};
struct OfferListener {
    void (*offer)(void* data, zwlr_data_control_offer_v1* offer, const char* mimeType);
};

zwlr_data_control_source_v1* createDataSource(zwlr_data_control_manager_v1* manager);
zwlr_data_control_device_v1* getDataDevice(zwlr_data_control_manager_v1* manager, wl_seat* seat);
void destroyManager(zwlr_data_control_manager_v1* manager);

// Null clears the selection.
void setSelection(zwlr_data_control_device_v1* device, zwlr_data_control_source_v1* source);
void destroyDevice(zwlr_data_control_device_v1* device);
int addListener(zwlr_data_control_device_v1* device, const DeviceListener* listener, void* data);

void offerType(zwlr_data_control_source_v1* source, const char* mimeType);
void destroySource(zwlr_data_control_source_v1* source);
int addListener(zwlr_data_control_source_v1* source, const SourceListener* listener, void* data);

void receive(zwlr_data_control_offer_v1* offer, const char* mimeType, int32_t fd);
void destroyOffer(zwlr_data_control_offer_v1* offer);
int addListener(zwlr_data_control_offer_v1* offer, const OfferListener* listener, void* data);

}  // namespace vorbix::portal::datacontrol
