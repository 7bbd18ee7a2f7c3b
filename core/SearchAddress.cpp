#include "core/SearchAddress.h"

#include "core/LanguageTexts.h"
#include "core/TextUtil.h"

namespace vorbix {

const std::array<SearchProvider, kSearchProviderCount>& searchProviders() {
    static constexpr std::array<SearchProvider, kSearchProviderCount> kProviders{{
        {"Google", "www.google.de", "www.google.de", "/search?q="},
        {"YouTube", "www.youtube.com", "www.youtube.com", "/results?search_query="},
        {"Wikipedia", "de.wikipedia.org", "en.wikipedia.org", "/wiki/"},
        {"eBay", "www.ebay.de", "www.ebay.com", "/i.html?_nkw="},
        {"Amazon", "www.amazon.de", "www.amazon.com",
         "/s?ie=UTF8&index=blended&link_code=qs&field-keywords="},
        {"Bing", "www.bing.com", "www.bing.com", "/search?q="},
    }};
    return kProviders;
}

std::optional<size_t> searchProviderIndex(std::string_view name) {
    for (size_t i = 0; i < kSearchProviderCount; ++i) {
        if (searchProviders()[i].name == name) return i;
    }
    return std::nullopt;
}

size_t searchProviderOfRow(std::string_view propertiesText) {
    if (auto exact = searchProviderIndex(propertiesText)) return *exact;
    for (size_t i = 0; i < kSearchProviderCount; ++i) {
        if (equalsIgnoreCase(searchProviders()[i].name, propertiesText)) return i;
    }
    return 0;
}

std::string percentEncode(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                                (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' ||
                                c == '~';
        if (unreserved) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

std::string searchAddress(size_t provider, std::string_view term, std::string_view language) {
    const SearchProvider& p = searchProviders()[provider < kSearchProviderCount ? provider : 0];
    const std::string_view host = language == kGerman ? p.germanHost : p.otherHost;
    std::string address = "https://";
    address += host;
    address += p.pathAndQuery;
    address += percentEncode(term);
    return address;
}

}  // namespace vorbix
