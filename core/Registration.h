// Registration of the table's combinations as system-wide hot keys, and the activation state
// that switches all rows off and on. Row i is registered under 30000 + i; the two special
// combinations of the settings use 10000 and 20000 and do not depend on the activation state.
#pragma once

#include <cstdint>

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

class HotKeyRegistry {
public:
    HotKeyRegistry(HotKeyTable& table, HotKeyBackend& backend, const KeyNameSource& names)
        : table_(table), backend_(backend), names_(names) {}

    bool active() const { return active_; }
    // Sets the state only; registering according to it is the caller's business.
    void setActive(bool active) { active_ = active; }
    // Switches all rows on or off: registers or unregisters every row when the state changes.
    void switchActive(bool active);

    // Registers every row under 30000 + its index; does nothing while inactive. A refused
    // registration is not reported: the row keeps its identifier and never fires.
    void RegisterAllHotKeys();
    // Unregisters every row and clears its identifier.
    void UnregisterAllHotKeys();
    // Registers one newly added row (while active).
    void registerRow(size_t index, const TWinHotKey& combination);

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
};

}  // namespace vorbix
