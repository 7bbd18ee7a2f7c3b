// The hot key table: the ordered rows that bind a key combination to an action.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/ActionCatalogue.h"
#include "core/DeviceIdSource.h"
#include "core/LanguageTexts.h"

namespace vorbix {

inline constexpr std::string_view kFileMarker = "<~F~>";
inline constexpr std::string_view kFolderMarker = "<~D~>";
inline constexpr std::string_view kNormalMode = "Normal";

// One "key=value" line of a row's section as it was read.
struct StoredKey {
    std::string key;
    std::string value;
    bool operator==(const StoredKey&) const = default;
};

struct HotKeyEntry {
    std::string HotKeyText;
    std::string ActionText;
    std::string PropertiesText;
    std::string Program;
    std::string Parameter;
    std::string HowToOpen;
    std::string URL;
    std::string Text;
    std::string Window;
    std::string DeviceId;
    int32_t HotKeyId = 0;
    // Every key of the row's section in the order read, kept for a row whose caption no language
    // knows (made by a newer version, or in a language not installed), so that saving writes it
    // back as it was. Empty for every other row.
    std::vector<StoredKey> KeptSection;
    // An insert-text row whose PropertiesText (the digest of Text) is still to be made: loading
    // a table leaves it for after the start, since it reads every text whole.
    bool TextDigestPending = false;

    bool operator==(const HotKeyEntry&) const = default;
};

class HotKeyTable {
public:
    static constexpr size_t kCapacity = 256;

    size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    bool full() const { return rows_.size() >= kCapacity; }
    const HotKeyEntry& at(size_t i) const { return rows_.at(i); }
    HotKeyEntry& at(size_t i) { return rows_.at(i); }
    const std::vector<HotKeyEntry>& rows() const { return rows_; }
    std::vector<HotKeyEntry>& rows() { return rows_; }

    // Appends a row; false (and nothing changes) when the table already holds kCapacity rows.
    [[nodiscard]] bool append(HotKeyEntry row);
    void remove(size_t i);
    // Exchanges row i and row i + 1 with all their fields.
    void swapWithNext(size_t i);
    void clear() { rows_.clear(); }

    // The index of the row a property editor works on; -1 when none.
    int CurrentRow = -1;

private:
    std::vector<HotKeyEntry> rows_;
};

// "1 Hot Key" for one row, otherwise the count followed by " Hot Keys" (also for none).
std::string hotKeyCountText(size_t count);

// `Program` without its file or folder marker; a value without one (written by hand) stays
// whole.
std::string programWithoutMarker(std::string_view program);
// The composed properties texts of the program (4), website (21) and hide/show (2, 3) kinds.
std::string composeProgramProperties(std::string_view programWithoutMarker,
                                     std::string_view parameter, std::string_view howToOpen);
std::string composeWebsiteProperties(std::string_view url, std::string_view howToOpen);
std::string composeWindowProperties(std::string_view window);

// A new row as the add command makes it: key text, the kind's caption, and the kind's defaults
// (placeholders, "Normal" window mode, the default audio endpoint).
HotKeyEntry makeNewRow(ActionKind kind, std::string hotKeyText, const LanguageTexts& texts,
                       const DeviceIdSource& defaultDeviceId);

}  // namespace vorbix
