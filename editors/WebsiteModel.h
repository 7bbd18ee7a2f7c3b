// The values of the website editor (TWebsite): the address and the window mode, decoded from a
// row when the editor is shown and encoded into it on OK.
#pragma once

#include <string>

#include "core/HotKeyTable.h"
#include "editors/EditorTexts.h"
#include "editors/WindowModeWords.h"

namespace vorbix {

class WebsiteModel {
public:
    std::string address;
    WindowModeEntry mode = WindowModeEntry::Normal;

    // Every value comes from the row: an address that is empty or the placeholder of any
    // language shows as an empty box, a mode word of any language selects its mode, any other
    // word Normal.
    void decode(const HotKeyEntry& row, const EditorTexts& texts);
    // `URL` is the address exactly as typed (may be empty), `HowToOpen` the current language's
    // word for the mode, `PropertiesText` the address (or the placeholder) and the mode word.
    void encode(HotKeyEntry& row, const LanguageTexts& current) const;
    // Any address, also none, may be stored.
    bool okAvailable() const { return true; }
};

}  // namespace vorbix
