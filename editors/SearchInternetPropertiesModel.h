// The value of the internet search editor (TSearchInternetProperties): the provider's entry in
// the list, decoded from a row when the editor is shown and encoded into it on OK.
#pragma once

#include "core/HotKeyTable.h"
#include "editors/EditorTexts.h"

namespace vorbix {

class SearchInternetPropertiesModel {
public:
    int provider = 0;  // the entry of the provider list; -1 for none

    // A row never edited (the placeholder of any language) shows the first provider; a stored
    // name selects its entry (letter case counts); any other text selects none.
    void decode(const HotKeyEntry& row, const EditorTexts& texts);
    // The provider's name is the stored value.
    void encode(HotKeyEntry& row) const;
    // OK needs a provider; without one nothing would be searched with.
    bool okAvailable() const;
};

}  // namespace vorbix
