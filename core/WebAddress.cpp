#include "core/WebAddress.h"

#include <algorithm>
#include <cctype>

#include "core/TextUtil.h"

namespace vorbix {

namespace {

// Schemes whose addresses are plain numbers, so "tel:110" is no host with a port.
constexpr std::string_view kNumberSchemes[] = {"tel", "fax", "sms", "callto", "modem"};
constexpr std::string_view kRefusedSchemes[] = {"javascript", "vbscript", "data"};

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// After "host:", the digits of a port up to the end of the address or the start of its path,
// query or fragment.
bool startsWithPort(std::string_view rest) {
    size_t digits = 0;
    while (digits < rest.size() && isDigit(rest[digits])) ++digits;
    if (digits == 0 || digits > 5) return false;
    return digits == rest.size() || rest[digits] == '/' || rest[digits] == '?' ||
           rest[digits] == '#';
}

}  // namespace

std::string addressScheme(std::string_view address) {
    std::string text(trimmed(address));
    text.erase(std::remove_if(text.begin(), text.end(),
                              [](char c) { return c == '\t' || c == '\n' || c == '\r'; }),
               text.end());
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 2) return {};
    if (!std::isalpha(static_cast<unsigned char>(text[0]))) return {};
    for (size_t i = 1; i < colon; ++i) {
        const char c = text[i];
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '+' && c != '-' && c != '.')
            return {};
    }
    std::string scheme = text.substr(0, colon);
    std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const bool numbers = std::find(std::begin(kNumberSchemes), std::end(kNumberSchemes), scheme) !=
                         std::end(kNumberSchemes);
    if (!numbers && startsWithPort(std::string_view(text).substr(colon + 1))) return {};
    return scheme;
}

bool isRefusedAddress(std::string_view address) {
    const std::string scheme = addressScheme(address);
    return std::find(std::begin(kRefusedSchemes), std::end(kRefusedSchemes), scheme) !=
           std::end(kRefusedSchemes);
}

std::string webAddressOf(std::string_view url) {
    const std::string address = trim(url);
    return addressScheme(address).empty() ? "http://" + address : address;
}

}  // namespace vorbix
