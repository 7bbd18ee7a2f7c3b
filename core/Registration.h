// Registration of the table's combinations as system-wide hot keys, and the activation state
// that switches all rows off and on. Row i is registered under 30000 + i; the two special
// combinations of the settings use 10000 and 20000 and do not depend on the activation state.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "core/HotKeyTable.h"
#include "core/KeyNotation.h"
#include "core/Ports.h"

namespace vorbix {

inline constexpr int32_t SymbolHotKeyId = 10000;
inline constexpr int32_t DeActivateHotKeyId = 20000;
inline constexpr int32_t kRowHotKeyIdBase = 30000;

// The change permissions: an administrator may change everything; others as the machine-wide
// policy allows.
struct Permissions {
    bool isAdministrator = false;
    bool allowChangesHkv = true;
    bool allowChangesCfg = true;
    bool mayChangeTable() const { return isAdministrator || allowChangesHkv; }
    bool mayChangeConfig() const { return isAdministrator || allowChangesCfg; }
};

// What became of a row's registration.
enum class RowRegistration {
    Off,       // not registered: the hot keys are switched off, or the row is not checked yet
    Accepted,  // the system took the combination
    Refused,   // the system refused it; the row stays in the table and never fires
};

// The language key (section "Main") of the text that says why a row does not fire.
std::string_view refusalTextKey(const HotKeyResult& result);

class HotKeyRegistry {
public:
    HotKeyRegistry(HotKeyTable& table, HotKeyBackend& backend, const KeyNameSource& names)
        : table_(table), backend_(backend), names_(names) {}

    bool active() const { return active_; }
    // Sets the state only; registering according to it is the caller's business.
    void setActive(bool active) { active_ = active; }
    // Switches all rows on or off: registers or unregisters every row when the state changes.
    void switchActive(bool active);

    // Registers every row under 30000 + its index and keeps each row's answer; does nothing
    // while inactive. A refused row keeps its identifier and its place in the table.
    void RegisterAllHotKeys();
    // Unregisters every row, clears its identifier and forgets the answers.
    void UnregisterAllHotKeys();
    // Registers one newly added row (while active); the system's answer (accepted while
    // inactive, where nothing was asked).
    HotKeyResult registerRow(size_t index, const TWinHotKey& combination);

    // The answer kept for a row: Off while the hot keys are off or the row was not registered
    // since the rows last changed.
    RowRegistration rowRegistration(size_t row) const;
    // Why a refused row was refused (accepted for the other rows).
    HotKeyResult rowResult(size_t row) const;
    // The rows the system refused, in table order.
    std::vector<size_t> refusedRows() const;
    // For a row refused because another row of the table holds its combination: that row (the
    // first in table order that the system accepted with this combination, else the first other
    // row with it). nullopt for any other row.
    std::optional<size_t> duplicateOf(size_t row) const;

    // Called after the rows' answers changed: all rows registered or unregistered, or one
    // row added.
    void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }

    // The special combinations of the settings dialog.
    bool RegisterHK(int32_t id, const TWinHotKey& combination);
    void UnRegisterHK(int32_t id);

    // The identifier for a start number: the number itself up to 0xC000, otherwise 0.
    static int32_t MyGlobalAddAtom(int32_t start);

private:
    HotKeyTable& table_;
    HotKeyBackend& backend_;
    const KeyNameSource& names_;
    bool active_ = true;
    // The answer per row, by index; empty while nothing is registered.
    std::vector<std::optional<HotKeyResult>> results_;
    std::function<void()> changed_;
    void changed() {
        if (changed_) changed_();
    }
};

}  // namespace vorbix
