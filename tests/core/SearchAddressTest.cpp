// The internet search addresses: every provider in both languages, with terms that hold every
// character that could end a query, start a fragment or change the term.
#include <gtest/gtest.h>

#include "core/SearchAddress.h"

namespace vorbix {
namespace {

struct Site {
    const char* provider;
    const char* german;   // the address up to the term when the language is German
    const char* english;  // the same in every other language
};

constexpr Site kSites[] = {
    {"Google", "https://www.google.de/search?q=", "https://www.google.de/search?q="},
    {"YouTube", "https://www.youtube.com/results?search_query=",
     "https://www.youtube.com/results?search_query="},
    {"Wikipedia", "https://de.wikipedia.org/wiki/", "https://en.wikipedia.org/wiki/"},
    {"eBay", "https://www.ebay.de/i.html?_nkw=", "https://www.ebay.com/i.html?_nkw="},
    {"Amazon", "https://www.amazon.de/s?ie=UTF8&index=blended&link_code=qs&field-keywords=",
     "https://www.amazon.com/s?ie=UTF8&index=blended&link_code=qs&field-keywords="},
    {"Bing", "https://www.bing.com/search?q=", "https://www.bing.com/search?q="},
};

struct Term {
    const char* typed;
    const char* encoded;
};

constexpr Term kTerms[] = {
    {"", ""},
    {"a \"b\" c", "a%20%22b%22%20c"},
    {"a \"b\" & c#d+e%f/g ä", "a%20%22b%22%20%26%20c%23d%2Be%25f%2Fg%20%C3%A4"},
    {"AC/DC & Co", "AC%2FDC%20%26%20Co"},
    {"100%", "100%25"},
    {"C++ #1", "C%2B%2B%20%231"},
    {"Straße?x=1", "Stra%C3%9Fe%3Fx%3D1"},
    {"unreserved-._~Az09", "unreserved-._~Az09"},
    {"  two  blanks  ", "%20%20two%20%20blanks%20%20"},
    {"line\nbreak\ttab", "line%0Abreak%09tab"},
    {"€ 😀", "%E2%82%AC%20%F0%9F%98%80"},
};

TEST(SearchAddress, EveryProviderLanguageAndTerm) {
    ASSERT_EQ(searchProviders().size(), std::size(kSites));
    for (size_t i = 0; i < std::size(kSites); ++i) {
        const Site& site = kSites[i];
        EXPECT_EQ(searchProviders()[i].name, site.provider);
        for (const Term& term : kTerms) {
            EXPECT_EQ(searchAddress(i, term.typed, "German"),
                      std::string(site.german) + term.encoded)
                << site.provider << " / " << term.typed;
            EXPECT_EQ(searchAddress(i, term.typed, "English"),
                      std::string(site.english) + term.encoded)
                << site.provider << " / " << term.typed;
            // Any language other than German takes the international site.
            EXPECT_EQ(searchAddress(i, term.typed, "Français"),
                      searchAddress(i, term.typed, "English"));
        }
    }
}

TEST(SearchAddress, TheEncodedTermHoldsNoCharacterWithAMeaningInAnAddress) {
    std::string every;
    for (int c = 1; c < 256; ++c) every += static_cast<char>(c);
    const std::string encoded = percentEncode(every);
    EXPECT_EQ(encoded.find_first_of(" \"&#+/?=:;@$,[]<>{}|\\^`'()!*\r\n\t"), std::string::npos);
    // Every escape is a percent sign and two upper-case hexadecimal digits.
    for (size_t at = encoded.find('%'); at != std::string::npos; at = encoded.find('%', at + 1)) {
        ASSERT_LE(at + 2, encoded.size() - 1);
        EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(encoded[at + 1])));
        EXPECT_FALSE(std::islower(static_cast<unsigned char>(encoded[at + 1])));
        EXPECT_FALSE(std::islower(static_cast<unsigned char>(encoded[at + 2])));
    }
}

TEST(SearchAddress, TheProviderARowSearchesWith) {
    struct Case {
        const char* stored;
        size_t provider;
        std::optional<size_t> exact;
    } cases[] = {
        {"Google", 0, 0},
        {"YouTube", 1, 1},
        {"Wikipedia", 2, 2},
        {"eBay", 3, 3},
        {"Amazon", 4, 4},
        {"Bing", 5, 5},
        {"bing", 5, std::nullopt},  // letter case differs: the editor selects nothing
        {"EBAY", 3, std::nullopt},
        {"(Kein Anbieter gewählt)", 0, std::nullopt},  // never edited: the first provider
        {"(No provider chosen)", 0, std::nullopt},
        {"", 0, std::nullopt},
        {"Yahoo", 0, std::nullopt},
        {"Google ", 0, std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(searchProviderOfRow(c.stored), c.provider) << c.stored;
        EXPECT_EQ(searchProviderIndex(c.stored), c.exact) << c.stored;
    }
    // A number past the list searches with the first provider rather than reading past it.
    EXPECT_EQ(searchAddress(99, "x", "German"), "https://www.google.de/search?q=x");
}

}  // namespace
}  // namespace vorbix
