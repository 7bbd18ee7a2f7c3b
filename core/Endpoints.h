// The maker's web presence, in one place: the web site, the product's pages, the update file on
// the web server and the mail address for suggestions. The update check, the about box, the
// main window and the HTML export take their addresses from here.
#pragma once

#include <string>
#include <string_view>

namespace vorbix {

// The maker's web site: its address as shown to the user, and as a link.
inline constexpr std::string_view kMakerSiteAddress = "www.pellmarr.de";
inline constexpr std::string_view kMakerSiteUrl = "https://www.pellmarr.de";
// The web server that holds the update file.
inline constexpr std::string_view kMakerServerUrl = "https://www.pellmarr.de";
inline constexpr std::string_view kUpdateFilePath = "/files/pellmarr/files/vorbix/version.txt";
inline constexpr std::string_view kMakerMailAddress = "vorbix@pellmarr.de";

// The product's web page for the interface language ("English" or anything else for German).
inline std::string productPageUrl(std::string_view language) {
    return std::string(kMakerSiteUrl) + (language == "English" ? "/vorbix/en" : "/vorbix");
}

// The address of the update file; `random` (0 to 99) keeps caches from answering.
inline std::string updateFileUrl(int random) {
    return std::string(kMakerServerUrl) + std::string(kUpdateFilePath) + "?" +
           std::to_string(random);
}

// The mail link of the suggestion command.
inline std::string suggestionMailLink(std::string_view language) {
    return "mailto:" + std::string(kMakerMailAddress) +
           (language == "English" ? "?subject=Advice" : "?subject=Verbesserungsvorschlag");
}

// What the closing line of an HTML listing links to, and the link's text.
struct HtmlLinkEndpoints {
    std::string target = productPageUrl("German");
    std::string text = std::string(kMakerSiteAddress);
};

}  // namespace vorbix
