// The Wayland clipboard (the seat's selection) for a program that is an X11 client: a connection
// of its own to the compositor, and the data control protocol, through which a client without
// keyboard focus reads and sets the selection. Text that an XWayland client puts on the X11
// clipboard does not reach Wayland-native windows while one of them has the focus; text set here
// does. Also reads the seat's keymap, for telling which characters the keyboard can type.
#pragma once

#include "platform/portal/ClipboardSelection.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QSocketNotifier;
struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_keyboard;
struct zwlr_data_control_manager_v1;
struct zwlr_data_control_device_v1;
struct zwlr_data_control_source_v1;
struct zwlr_data_control_offer_v1;

namespace vorbix::portal {

class WaylandSelection : public ClipboardSelection {
    Q_OBJECT
public:
    // Connects to the compositor that WAYLAND_DISPLAY names; without one, or without data
    // control there, available() is false and the calls below do nothing.
    explicit WaylandSelection(QObject* parent = nullptr);
    ~WaylandSelection() override;
    WaylandSelection(const WaylandSelection&) = delete;
    WaylandSelection& operator=(const WaylandSelection&) = delete;

    bool available() const override { return device_ != nullptr; }

    // The selection's data in every format it offers, read within `boundMs` in all (what has not
    // arrived by then is left out); empty when the selection is empty. Our own data is at hand.
    Formats read(int boundMs) override;
    // Makes `formats` the selection; the compositor has it when this returns.
    void set(Formats formats) override;
    // Empties the selection, when it still holds our data.
    void clearOurs() override;
    // Whether the selection still holds the data set last (nobody else has set one since).
    bool holdsOurs() const override { return source_ != nullptr; }

    // The seat keyboard's keymap in XKB text form; empty when the seat has no keyboard.
    const std::string& keymap() const { return keymap_; }

private:
    struct Offer;
    void dispatch();
    void flush();
    void roundtrip();
    void dropSource();
    void dropSelectionOffer();
    std::string receive(zwlr_data_control_offer_v1* offer, const std::string& mime,
                        int64_t deadlineMs);

    // Protocol callbacks (plain functions taking `this` as data).
    static void onGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
                         uint32_t version);
    static void onGlobalRemove(void*, wl_registry*, uint32_t) {}
    static void onCapabilities(void* data, wl_seat* seat, uint32_t caps);
    static void onSeatName(void*, wl_seat*, const char*) {}
    static void onKeymap(void* data, wl_keyboard* keyboard, uint32_t format, int32_t fd,
                         uint32_t size);
    static void onDataOffer(void* data, zwlr_data_control_device_v1*,
                            zwlr_data_control_offer_v1* offer);
    static void onSelection(void* data, zwlr_data_control_device_v1*,
                            zwlr_data_control_offer_v1* offer);
    static void onFinished(void* data, zwlr_data_control_device_v1*);
    static void onPrimarySelection(void* data, zwlr_data_control_device_v1*,
                                   zwlr_data_control_offer_v1* offer);
    static void onOfferType(void* data, zwlr_data_control_offer_v1* offer, const char* mime);
    static void onSend(void* data, zwlr_data_control_source_v1* source, const char* mime,
                       int32_t fd);
    static void onCancelled(void* data, zwlr_data_control_source_v1* source);

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_seat* seat_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    zwlr_data_control_manager_v1* manager_ = nullptr;
    zwlr_data_control_device_v1* device_ = nullptr;
    zwlr_data_control_source_v1* source_ = nullptr;  // ours, while it holds the selection
    Formats ours_;
    // Offers announced and not yet taken as selection, and the selection's offer.
    std::vector<std::unique_ptr<Offer>> pending_;
    std::unique_ptr<Offer> selection_;
    std::string keymap_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vorbix::portal
