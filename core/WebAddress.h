// The address of a website row as it goes to the desktop's opener: an address with a scheme
// (https://..., mailto:..., tel:..., magnet:?..., news:...) stays as typed, a bare host or path
// gets "http://", and schemes that run code or carry a whole document are refused.
#pragma once

#include <string>
#include <string_view>

namespace vorbix {

// The scheme the address starts with, in lower case, or empty when it starts with none. A
// scheme is a letter followed by letters, digits, "+", "-" and "." and a colon, at least two
// characters long (so "C:\..." names a drive, not a scheme), and not followed by a port number
// ("localhost:8080", "example.org:443/x" are hosts). Schemes whose addresses are numbers
// ("tel:110") count even before digits. Tabs and line breaks, which browsers drop, are ignored.
std::string addressScheme(std::string_view address);

// Whether the address must not be opened: "javascript:", "vbscript:" and "data:" addresses run
// code or smuggle a page in, whatever letter case or blanks they are written with.
bool isRefusedAddress(std::string_view address);

// The address with "http://" added when it names no scheme; the blanks around it are dropped.
std::string webAddressOf(std::string_view url);

}  // namespace vorbix
