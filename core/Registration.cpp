#include "core/Registration.h"

namespace vorbix {

int32_t HotKeyRegistry::MyGlobalAddAtom(int32_t start) {
    return (start >= 1 && start <= 0xC000) ? start : 0;
}

void HotKeyRegistry::RegisterAllHotKeys() {
    if (!active_) return;
    for (size_t i = 0; i < table_.size(); ++i) {
        HotKeyEntry& row = table_.at(i);
        row.HotKeyId = MyGlobalAddAtom(kRowHotKeyIdBase + static_cast<int32_t>(i));
        backend_.registerHotKey(row.HotKeyId, hotKeyOfText(row.HotKeyText, names_));
    }
}

void HotKeyRegistry::switchActive(bool active) {
    if (active == active_) return;
    active_ = active;
    if (active_) {
        RegisterAllHotKeys();
    } else {
        UnregisterAllHotKeys();
    }
}

void HotKeyRegistry::UnregisterAllHotKeys() {
    for (HotKeyEntry& row : table_.rows()) {
        if (row.HotKeyId != 0) backend_.unregisterHotKey(row.HotKeyId);
        row.HotKeyId = 0;
    }
}

void HotKeyRegistry::registerRow(size_t index, const TWinHotKey& combination) {
    if (!active_ || index >= table_.size()) return;
    HotKeyEntry& row = table_.at(index);
    row.HotKeyId = MyGlobalAddAtom(kRowHotKeyIdBase + static_cast<int32_t>(index));
    backend_.registerHotKey(row.HotKeyId, combination);
}

bool HotKeyRegistry::RegisterHK(int32_t id, const TWinHotKey& combination) {
    return backend_.registerHotKey(id, combination);
}

void HotKeyRegistry::UnRegisterHK(int32_t id) {
    backend_.unregisterHotKey(id);
}

}  // namespace vorbix
