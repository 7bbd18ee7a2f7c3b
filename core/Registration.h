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
    Off,           // not registered: the hot keys are switched off, or the row is not checked yet
    Accepted,      // the system took the combination
    Refused,       // the system refused it; the row stays in the table and never fires
    Pending,       // asked; the desktop has not answered yet
    OtherTrigger,  // the desktop bound the row, but to another trigger (rowResult names it)
};

// The language key (section "Main") of the text that says why a row does not fire.
std::string_view refusalTextKey(const HotKeyResult& result);

class HotKeyRegistry {
public:
    // Receives the answers the back end gives later, for as long as the registry lives.
    HotKeyRegistry(HotKeyTable& table, HotKeyBackend& backend, const KeyNameSource& names);
    ~HotKeyRegistry();
    HotKeyRegistry(const HotKeyRegistry&) = delete;
    HotKeyRegistry& operator=(const HotKeyRegistry&) = delete;

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
    // inactive, where nothing was asked; "later" when the back end answers later).
    HotKeyResult registerRow(size_t index, const TWinHotKey& combination);

    // Tries the refused rows again in one batch, as another program may have let their
    // combinations go since (the shell calls it when the user turns to the program: the window
    // shown, the tray menu opened). Nothing is asked when no row is refused. True when an
    // answer changed; the change handler is told then.
    bool retryRefusedRows();

    // The answer kept for a row: Off while the hot keys are off or the row was not registered
    // since the rows last changed.
    RowRegistration rowRegistration(size_t row) const;
    // Why a refused row was refused, or the trigger an OtherTrigger row got (accepted for the
    // other rows).
    HotKeyResult rowResult(size_t row) const;
    // The rows the system refused, in table order.
    std::vector<size_t> refusedRows() const;
    // For a row refused because another row of the table holds its combination: that row (the
    // first in table order that the system accepted with this combination, else the first other
    // row with it). nullopt for any other row.
    std::optional<size_t> duplicateOf(size_t row) const;

    // Called after the rows' answers changed: all rows registered or unregistered, one row
    // added, or an answer of the back end arrived.
    void setChangeHandler(std::function<void()> handler) { changed_ = std::move(handler); }
    // One more handler called at the same times, kept beside the one above.
    void addChangeHandler(std::function<void()> handler) {
        moreChanged_.push_back(std::move(handler));
    }

    // The special combinations of the settings dialog: false only when refused at once (a
    // back end that answers later reports a refusal through specialResult and the change
    // handler).
    bool RegisterHK(int32_t id, const TWinHotKey& combination);
    void UnRegisterHK(int32_t id);
    // The last answer for 10000 or 20000; accepted when not registered.
    HotKeyResult specialResult(int32_t id) const;

    // The identifier for a start number: the number itself up to 0xC000, otherwise 0.
    static int32_t MyGlobalAddAtom(int32_t start);

private:
    HotKeyTable& table_;
    HotKeyBackend& backend_;
    const KeyNameSource& names_;
    bool active_ = true;
    // The answer per row, by index; empty while nothing is registered.
    std::vector<std::optional<HotKeyResult>> results_;
    HotKeyResult symbolResult_, deActivateResult_;
    std::function<void()> changed_;
    std::vector<std::function<void()>> moreChanged_;
    // An answer the back end gives later.
    void takeReport(int32_t id, const HotKeyResult& result);
    void changed() {
        if (changed_) changed_();
        for (const auto& handler : moreChanged_) handler();
    }
};

}  // namespace vorbix
