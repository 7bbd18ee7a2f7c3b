// The source of the default device id that volume rows without a device of their own take.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace vorbix {

// Where a default device id comes from: a fixed text, or a function asked only when a volume row
// needs the id.
class DeviceIdSource {
public:
    DeviceIdSource() = default;
    DeviceIdSource(std::string id) : fixed_(std::move(id)) {}
    DeviceIdSource(const char* id) : fixed_(id) {}
    DeviceIdSource(std::string_view id) : fixed_(id) {}
    explicit DeviceIdSource(std::function<std::string()> ask) : ask_(std::move(ask)) {}

    std::string operator()() const { return ask_ ? ask_() : fixed_; }

private:
    std::string fixed_;
    std::function<std::string()> ask_;
};

}  // namespace vorbix
