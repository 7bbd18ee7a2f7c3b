#include "editors/SearchInternetPropertiesModel.h"

#include "core/SearchAddress.h"

namespace vorbix {

void SearchInternetPropertiesModel::decode(const HotKeyEntry& row, const EditorTexts& texts) {
    if (texts.anyLanguageHas(row.PropertiesText, &LanguageTexts::sNewProvider)) {
        provider = 0;
        return;
    }
    const auto index = searchProviderIndex(row.PropertiesText);
    provider = index ? int(*index) : -1;
}

void SearchInternetPropertiesModel::encode(HotKeyEntry& row) const {
    if (!okAvailable()) return;
    row.PropertiesText = std::string(searchProviders()[size_t(provider)].name);
}

bool SearchInternetPropertiesModel::okAvailable() const {
    return provider >= 0 && provider < int(kSearchProviderCount);
}

}  // namespace vorbix
