// The internet search action: the six providers, in the order of the editor's list, and the
// address a search term is opened with. Every address is https; the whole term is
// percent-encoded as UTF-8, so no character of it can end the query or start a fragment.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorbix {

struct SearchProvider {
    std::string_view name;          // stored in the row and shown; never translated
    std::string_view germanHost;    // the site when the language is German
    std::string_view otherHost;     // the site in every other language
    std::string_view pathAndQuery;  // followed by the encoded term
};

inline constexpr size_t kSearchProviderCount = 6;

const std::array<SearchProvider, kSearchProviderCount>& searchProviders();

// The entry whose name equals `name` exactly; none for any other text.
std::optional<size_t> searchProviderIndex(std::string_view name);

// The provider a row searches with: the one it names (exactly, else with letter case ignored);
// a row never edited (its placeholder) or naming no provider searches with the first one.
size_t searchProviderOfRow(std::string_view propertiesText);

// Every byte outside the unreserved characters (letters, digits, "-", ".", "_", "~") as "%XX".
std::string percentEncode(std::string_view utf8);

// "https://" + the provider's site for the language + its path and query key + the encoded term.
std::string searchAddress(size_t provider, std::string_view term, std::string_view language);

}  // namespace vorbix
