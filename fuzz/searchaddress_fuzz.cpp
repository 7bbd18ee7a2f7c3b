// The search address from an arbitrary provider index, language and term: the address is the
// provider's https site with its query key, followed by the term in which only unreserved
// characters stand as they are and every other byte is a "%XX" escape; decoding the escapes gives
// the term's bytes back. A row's provider text of any bytes names one of the providers.
//
// Input: the first byte is the provider index (out of range too), the second picks the language,
// the rest is the term.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/SearchAddress.h"

namespace {

void check(bool condition) {
    if (!condition) __builtin_trap();
}

bool isUnreserved(char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;  // lower-case digits are not what the encoder writes
}

// The term part decoded; traps on anything but unreserved characters and "%XX" escapes.
std::string decodeTerm(std::string_view encoded) {
    std::string out;
    for (size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] != '%') {
            check(isUnreserved(encoded[i]));
            out += encoded[i];
            continue;
        }
        check(i + 2 < encoded.size());
        const int high = hexValue(encoded[i + 1]);
        const int low = hexValue(encoded[i + 2]);
        check(high >= 0 && low >= 0);
        const auto byte = static_cast<unsigned char>(high * 16 + low);
        // An escape stands only for a byte that could not stand as it is.
        check(!isUnreserved(static_cast<char>(byte)));
        out += static_cast<char>(byte);
        i += 2;
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace vorbix;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t provider = size > 0 ? data[0] : 0;
    static constexpr std::string_view kLanguages[] = {"German", "English", "Français", ""};
    const std::string_view language = kLanguages[size > 1 ? data[1] % 4 : 0];
    const std::string_view term = bytes.substr(size > 2 ? 2 : size);

    const std::string address = searchAddress(provider, term, language);
    // Out of range, the first provider; the German site only for German.
    const SearchProvider& p = searchProviders()[provider < kSearchProviderCount ? provider : 0];
    const std::string prefix = "https://" +
                               std::string(language == "German" ? p.germanHost : p.otherHost) +
                               std::string(p.pathAndQuery);
    check(address.starts_with(prefix));
    const std::string_view encoded = std::string_view(address).substr(prefix.size());
    check(encoded == percentEncode(term));
    check(decodeTerm(encoded) == term);
    // Nothing of the term can end the query, start a fragment or leave the address.
    check(encoded.find_first_of("?#&=+/ \\\r\n\t\"<>") == std::string_view::npos);

    // Any text a row holds names a provider; a provider's own name names itself.
    check(searchProviderOfRow(bytes) < kSearchProviderCount);
    if (const auto index = searchProviderIndex(bytes)) {
        check(*index < kSearchProviderCount && searchProviders()[*index].name == bytes);
        check(searchProviderOfRow(bytes) == *index);
    }
    return 0;
}
