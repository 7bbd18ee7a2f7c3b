#include "core/TableCommands.h"

#include <algorithm>
#include <memory>

#include "core/TextUtil.h"

namespace vorbix {

namespace {

// Windows-key combinations that the desktop itself commonly uses.
bool isSystemWindowsKey(uint16_t key) {
    static constexpr uint16_t kKeys[] = {'B', 'D',  'E',  'F',  'L',  'M',  'P',  'R',  'T',  'U',
                                         'X', 0x20, 0x24, 0x25, 0x26, 0x27, 0x28, 0x6B, 0x6D, 0x70};
    if (key >= '0' && key <= '9') return true;
    return std::find(std::begin(kKeys), std::end(kKeys), key) != std::end(kKeys);
}

}  // namespace

bool TableCommands::permitted() {
    if (c_.permissions.mayChangeTable()) return true;
    c_.prompter.showMessage(c_.message("MessageAdminError"), MessageType::Error);
    return false;
}

bool TableCommands::savePerUserFile() {
    const TableStore::Result r = c_.store.save(c_.hotKeyFilePath);
    if (!r.ok) c_.prompter.showMessage(r.error, MessageType::Error);
    return r.ok;
}

void TableCommands::updateMenuState() {
    menu_.deleteSelected = selected_ >= 0 && selected_ < int(c_.table.size());
    menu_.deleteAll = !c_.table.empty();
    menu_.saveAs = !c_.table.empty();
}

void TableCommands::reportLeftOut(size_t rowsLeftOut) {
    if (rowsLeftOut == 0) return;
    std::string text = c_.message("MessageTableTruncated");
    if (text.empty()) text = c_.message("MessageTableFull");
    c_.prompter.showMessage(fillPlaceholder(text, "%d", std::to_string(rowsLeftOut)),
                            MessageType::Error);
}

bool TableCommands::mayAdd(uint16_t shortCut, ActionKind kind) {
    if (!permitted()) return false;
    if (c_.table.full()) {
        c_.prompter.showMessage(c_.message("MessageTableFull"), MessageType::Error);
        return false;
    }
    if (ShortCutToKeyText(shortCut, false, c_.names).empty()) {
        info("MessageHotKeyError2");
        return false;
    }
    if (shortCut == symbolHotKey_ || shortCut == deActivateHotKey_) {
        info("MessageFixedError");
        return false;
    }
    for (const HotKeyEntry& row : c_.table.rows()) {
        if (KeyTextToShortCut(KeyTextFromDisplay(row.HotKeyText, c_.names), c_.names) == shortCut) {
            info("MessageHotKeyError1");
            return false;
        }
    }
    const TWinHotKey combination = ShortCutToHotKey(shortCut);
    if (kind == ActionKind::InsertText &&
        ((combination.Modifiers == MOD_CONTROL && combination.Key == 'V') ||
         combination.Modifiers == MOD_ALT || combination.Modifiers == (MOD_ALT | MOD_SHIFT))) {
        info("MessageInsertText");
        return false;
    }
    // A bound character can no longer be typed anywhere: Shift with it is refused; the bare key
    // is taken only when the user says so (asked in add()).
    if (typingClashOf(combination) == TypingClash::ShiftCharacter) {
        info("MessageShiftCharacter");
        return false;
    }
    return true;
}

bool TableCommands::add(uint16_t shortCut, ActionKind kind, std::function<void()> added) {
    if (!mayAdd(shortCut, kind)) return false;
    const TWinHotKey combination = ShortCutToHotKey(shortCut);
    const bool typesCharacter = typingClashOf(combination) == TypingClash::Character;
    const bool systemWindowsKey =
        combination.Modifiers == MOD_WIN && isSystemWindowsKey(combination.Key);
    auto addedNow = std::make_shared<bool>(false);
    auto append = [this, shortCut, kind, added, addedNow] {
        // An answer given later finds the table as it is then: the checks run again.
        if (!mayAdd(shortCut, kind) || !appendRow(shortCut, kind)) return;
        *addedNow = true;
        if (added) added();
    };
    c_.prompter.confirmThen(typesCharacter, c_.message("MessageTypingKey"),
                            [this, systemWindowsKey, append] {
                                c_.prompter.confirmThen(systemWindowsKey,
                                                        c_.message("MessageWindowsKey"), append);
                            });
    return *addedNow;
}

bool TableCommands::appendRow(uint16_t shortCut, ActionKind kind) {
    const std::string captureText = ShortCutToKeyText(shortCut, false, c_.names);
    const TWinHotKey combination = ShortCutToHotKey(shortCut);
    HotKeyEntry row =
        makeNewRow(kind, KeyTextToDisplay(captureText, c_.names), c_.texts, c_.defaultDeviceId);
    // The table is not full (checked above), so the row is appended.
    const size_t index = c_.table.size();
    bool appended = false;
    changeRows(RowChange::Insert, index, [&] { appended = c_.table.append(std::move(row)); });
    if (!appended) return false;
    if (hasProperties(kind) && c_.store.takePropertiesNotice()) {
        c_.prompter.showMessage(
            c_.message("MessageProperties1") + "\r\n\r\n" + c_.message("MessageProperties2"),
            MessageType::Information);
    }
    const HotKeyResult registered = c_.registry.registerRow(index, combination);
    updateMenuState();
    savePerUserFile();
    // The row stays, but the user learns at once that it will not fire.
    if (!registered.ok()) {
        c_.prompter.showMessage(c_.message(refusalTextKey(registered)) + "\r\n\r\n" +
                                    c_.message("MessageHotKeyAddedAnyway"),
                                MessageType::Information);
    }
    return true;
}

std::optional<EditRequest> TableCommands::edit() {
    if (selected_ < 0 || selected_ >= int(c_.table.size())) return std::nullopt;
    c_.table.CurrentRow = selected_;
    const HotKeyEntry& row = c_.table.at(selected_);
    if (row.PropertiesText.empty() && !row.TextDigestPending) return std::nullopt;
    const std::optional<ActionKind> kind = kindOf(row);
    if (!kind || !hasProperties(*kind)) return std::nullopt;
    return EditRequest{static_cast<size_t>(selected_), *kind};
}

std::optional<ActionKind> TableCommands::kindOf(const HotKeyEntry& row) const {
    const LanguageCatalogue& languages =
        c_.languages ? *c_.languages : LanguageCatalogue::builtIn();
    return languages.kindOf(row.ActionText, &c_.texts);
}

void TableCommands::deleteSelected() {
    if (selected_ < 0 || selected_ >= int(c_.table.size())) {
        updateMenuState();
        return;
    }
    if (!permitted()) {
        updateMenuState();
        return;
    }
    const size_t removed = static_cast<size_t>(selected_);
    c_.registry.UnregisterAllHotKeys();
    changeRows(RowChange::Remove, removed, [&] { c_.table.remove(removed); });
    if (c_.table.empty())
        selected_ = -1;
    else
        selected_ = static_cast<int>(std::min(removed, c_.table.size() - 1));
    c_.registry.RegisterAllHotKeys();
    savePerUserFile();
    updateMenuState();
}

void TableCommands::deleteAll(std::function<void()> done) {
    if (!permitted()) {
        updateMenuState();
        return;
    }
    c_.prompter.ask(c_.message("MessageDeleteAll"), [this, done](bool yes) {
        if (yes && c_.permissions.mayChangeTable()) {
            c_.registry.UnregisterAllHotKeys();
            changeRows(RowChange::Reset, 0, [&] { c_.table.clear(); });
            selected_ = -1;
        }
        savePerUserFile();
        updateMenuState();
        if (done) done();
    });
}

void TableCommands::move(int direction) {
    if (!permitted()) return;
    const int target = selected_ + direction;
    if (selected_ >= 0 && selected_ < int(c_.table.size()) && target >= 0 &&
        target < int(c_.table.size())) {
        const size_t upper = static_cast<size_t>(std::min(selected_, target));
        changeRows(RowChange::Swap, upper, [&] { c_.table.swapWithNext(upper); });
        c_.registry.UnregisterAllHotKeys();
        c_.registry.RegisterAllHotKeys();
        selected_ = target;
    }
    savePerUserFile();
}

bool TableCommands::mayLoad() {
    return permitted();
}

void TableCommands::load(const std::string& path, std::function<void()> done) {
    const TableStore::Result examined = c_.store.examine(path);
    if (!examined.ok) {
        tellLoadFailure(path, examined);
        return;
    }
    c_.prompter.confirmThen(
        !c_.table.empty(), fillPlaceholder(c_.message("MessageLoadReplace"), "%s", path),
        [this, path, done] {
            // Asked for before the question; an answer given later finds the policy as it is.
            if (!permitted()) return;
            const TableStore::Result kept = c_.store.keepBackup(c_.hotKeyFilePath);
            if (!kept.ok) {
                c_.prompter.showMessage(c_.message("MessageSaveFailed") + "\r\n\r\n" + kept.error,
                                        MessageType::Error);
                return;
            }
            replaceWith(path);
            if (done) done();
        });
}

void TableCommands::tellLoadFailure(const std::string& path, const TableStore::Result& r) {
    c_.prompter.showMessage(r.refusalKey.empty()
                                ? r.error
                                : fillPlaceholder(c_.message("MessageNotHotKeyFile"), "%s", path) +
                                      "\r\n\r\n" + c_.message(r.refusalKey),
                            MessageType::Error);
}

void TableCommands::replaceWith(const std::string& path) {
    c_.registry.UnregisterAllHotKeys();
    selected_ = -1;
    TableStore::Result r;
    changeRows(RowChange::Reset, 0, [&] {
        std::vector<HotKeyEntry> previous = std::move(c_.table.rows());
        c_.table.clear();
        r = c_.store.load(path);
        // A file that cannot be read replaces nothing: the table stays as it was.
        if (!r.ok) c_.table.rows() = std::move(previous);
    });
    if (!r.ok) {
        c_.registry.RegisterAllHotKeys();
        tellLoadFailure(path, r);
        updateMenuState();
        return;
    }
    c_.registry.RegisterAllHotKeys();
    if (!r.error.empty()) c_.prompter.showMessage(r.error, MessageType::Error);
    reportLeftOut(r.rowsLeftOut);
    savePerUserFile();
    updateMenuState();
}

void TableCommands::saveTo(const std::string& path) {
    if (path.empty()) return;
    const TableStore::Result r = c_.store.save(path);
    if (!r.ok) c_.prompter.showMessage(r.error, MessageType::Error);
}

}  // namespace vorbix
