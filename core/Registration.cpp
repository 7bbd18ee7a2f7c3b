#include "core/Registration.h"

namespace vorbix {

std::string describeHotKeyResult(const HotKeyResult& result) {
    switch (result.refusal) {
        case HotKeyRefusal::None:
            if (result.pending) return "waiting for the desktop's answer";
            if (!result.otherTrigger.empty()) return "registered as " + result.otherTrigger;
            return "registered";
        case HotKeyRefusal::NoKey:
            return "no such key on the keyboard";
        case HotKeyRefusal::Duplicate:
            return "already registered by this program";
        case HotKeyRefusal::NoService:
            return "no hot key service";
        case HotKeyRefusal::HeldByOther:
            break;
    }
    static constexpr std::pair<uint8_t, const char*> kStates[] = {
        {kLocksOff, "no lock key"},
        {kCapsLockOn, "CapsLock"},
        {kNumLockOn, "NumLock"},
        {kCapsAndNumLockOn, "CapsLock and NumLock"},
    };
    constexpr uint8_t kEvery = kLocksOff | kCapsLockOn | kNumLockOn | kCapsAndNumLockOn;
    if ((result.refusedLocks & kEvery) == kEvery) return "held by another program";
    std::string states;
    for (const auto& [bit, name] : kStates) {
        if (!(result.refusedLocks & bit)) continue;
        if (!states.empty()) states += ", ";
        states += name;
    }
    std::string text = "held by another program";
    if (!states.empty()) text += " (refused with " + states + ")";
    return text;
}

std::string_view refusalTextKey(const HotKeyResult& result) {
    return result.refusal == HotKeyRefusal::HeldByOther ? "HintHotKeyTaken" : "HintHotKeyRefused";
}

HotKeyRegistry::HotKeyRegistry(HotKeyTable& table, HotKeyBackend& backend,
                               const KeyNameSource& names)
    : table_(table), backend_(backend), names_(names) {
    backend_.setReportHandler(
        [this](int32_t id, const HotKeyResult& result) { takeReport(id, result); });
}

HotKeyRegistry::~HotKeyRegistry() {
    backend_.setReportHandler(nullptr);
}

void HotKeyRegistry::takeReport(int32_t id, const HotKeyResult& result) {
    if (id == SymbolHotKeyId || id == DeActivateHotKeyId) {
        (id == SymbolHotKeyId ? symbolResult_ : deActivateResult_) = result;
        changed();
        return;
    }
    // Only an answer for a row as it is registered now: a row that moved or went away since
    // has another identifier or none.
    if (!active_ || id < kRowHotKeyIdBase) return;
    const size_t index = size_t(id - kRowHotKeyIdBase);
    if (index >= table_.size() || index >= results_.size() || table_.at(index).HotKeyId != id)
        return;
    results_[index] = result;
    changed();
}

int32_t HotKeyRegistry::MyGlobalAddAtom(int32_t start) {
    return (start >= 1 && start <= 0xC000) ? start : 0;
}

void HotKeyRegistry::RegisterAllHotKeys() {
    if (!active_) return;
    const CachedKeyNames names(names_);
    std::vector<HotKeyBackend::Request> requests;
    requests.reserve(table_.size());
    for (size_t i = 0; i < table_.size(); ++i) {
        HotKeyEntry& row = table_.at(i);
        row.HotKeyId = MyGlobalAddAtom(kRowHotKeyIdBase + static_cast<int32_t>(i));
        requests.push_back({row.HotKeyId, hotKeyOfText(row.HotKeyText, names)});
    }
    const std::vector<HotKeyResult> results = backend_.registerHotKeys(requests);
    results_.assign(results.begin(), results.end());
    results_.resize(table_.size());
    changed();
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
    results_.clear();
    changed();
}

HotKeyResult HotKeyRegistry::registerRow(size_t index, const TWinHotKey& combination) {
    if (!active_ || index >= table_.size()) return HotKeyResult::accepted();
    HotKeyEntry& row = table_.at(index);
    row.HotKeyId = MyGlobalAddAtom(kRowHotKeyIdBase + static_cast<int32_t>(index));
    const HotKeyResult result = backend_.registerHotKey(row.HotKeyId, combination);
    if (results_.size() < table_.size()) results_.resize(table_.size());
    results_[index] = result;
    changed();
    return result;
}

bool HotKeyRegistry::retryRefusedRows() {
    const std::vector<size_t> rows = refusedRows();
    if (rows.empty()) return false;
    const CachedKeyNames names(names_);
    std::vector<HotKeyBackend::Request> requests;
    requests.reserve(rows.size());
    for (size_t i : rows) {
        HotKeyEntry& row = table_.at(i);
        if (row.HotKeyId == 0)
            row.HotKeyId = MyGlobalAddAtom(kRowHotKeyIdBase + static_cast<int32_t>(i));
        requests.push_back({row.HotKeyId, hotKeyOfText(row.HotKeyText, names)});
    }
    const std::vector<HotKeyResult> results = backend_.registerHotKeys(requests);
    bool anyChanged = false;
    for (size_t k = 0; k < rows.size() && k < results.size(); ++k) {
        std::optional<HotKeyResult>& kept = results_[rows[k]];
        if (kept != results[k]) anyChanged = true;
        kept = results[k];
    }
    if (anyChanged) changed();
    return anyChanged;
}

RowRegistration HotKeyRegistry::rowRegistration(size_t row) const {
    if (!active_ || row >= table_.size() || row >= results_.size() || !results_[row])
        return RowRegistration::Off;
    const HotKeyResult& result = *results_[row];
    if (!result.ok()) return RowRegistration::Refused;
    if (result.pending) return RowRegistration::Pending;
    if (!result.otherTrigger.empty()) return RowRegistration::OtherTrigger;
    return RowRegistration::Accepted;
}

HotKeyResult HotKeyRegistry::rowResult(size_t row) const {
    const RowRegistration state = rowRegistration(row);
    if (state != RowRegistration::Refused && state != RowRegistration::OtherTrigger)
        return HotKeyResult::accepted();
    return *results_[row];
}

std::vector<size_t> HotKeyRegistry::refusedRows() const {
    std::vector<size_t> rows;
    for (size_t i = 0; i < results_.size(); ++i)
        if (rowRegistration(i) == RowRegistration::Refused) rows.push_back(i);
    return rows;
}

std::optional<size_t> HotKeyRegistry::duplicateOf(size_t row) const {
    if (rowResult(row).refusal != HotKeyRefusal::Duplicate) return std::nullopt;
    const CachedKeyNames names(names_);
    const TWinHotKey combination = hotKeyOfText(table_.at(row).HotKeyText, names);
    std::optional<size_t> first;
    for (size_t i = 0; i < table_.size(); ++i) {
        if (i == row || hotKeyOfText(table_.at(i).HotKeyText, names) != combination) continue;
        if (rowRegistration(i) == RowRegistration::Accepted) return i;
        if (!first) first = i;
    }
    return first;
}

bool HotKeyRegistry::RegisterHK(int32_t id, const TWinHotKey& combination) {
    const HotKeyResult result = backend_.registerHotKey(id, combination);
    if (id == SymbolHotKeyId) symbolResult_ = result;
    if (id == DeActivateHotKeyId) deActivateResult_ = result;
    return result.ok();
}

void HotKeyRegistry::UnRegisterHK(int32_t id) {
    backend_.unregisterHotKey(id);
    if (id == SymbolHotKeyId) symbolResult_ = {};
    if (id == DeActivateHotKeyId) deActivateResult_ = {};
}

HotKeyResult HotKeyRegistry::specialResult(int32_t id) const {
    if (id == SymbolHotKeyId) return symbolResult_;
    if (id == DeActivateHotKeyId) return deActivateResult_;
    return {};
}

}  // namespace vorbix
