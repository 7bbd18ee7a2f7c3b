#include "editors/WebsiteModel.h"

namespace vorbix {

void WebsiteModel::decode(const HotKeyEntry& row, const EditorTexts& texts) {
    const bool unset = texts.anyLanguageHas(row.URL, &LanguageTexts::sNewWebsite);
    address = unset ? std::string() : row.URL;
    mode = windowModeOfWord(row.HowToOpen, texts);
}

void WebsiteModel::encode(HotKeyEntry& row, const LanguageTexts& current) const {
    row.HowToOpen = windowModeWord(mode, current);
    row.URL = address;
    row.PropertiesText =
        composeWebsiteProperties(address.empty() ? current.sNewWebsite : address, row.HowToOpen);
}

}  // namespace vorbix
