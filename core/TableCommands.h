// The commands that change the hot key table in the main window: add, edit, delete one or all,
// move, load and save. They hold the rules (checks, messages, registration, saving); the window
// only passes the user's input in and shows the outcome.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/HotKeyTable.h"
#include "core/KeyNotation.h"
#include "core/LanguageCatalogue.h"
#include "core/LanguageTexts.h"
#include "core/Ports.h"
#include "core/Registration.h"
#include "core/SimulatedKeyComb.h"

namespace vorbix {

// Reading and writing the table and the one-time notice, done by the storage layer.
class TableStore {
public:
    struct Result {
        bool ok = true;
        std::string error;       // the system's message when !ok, or a warning when ok
        size_t rowsLeftOut = 0;  // rows of a loaded file beyond the table's capacity
        // With !ok: the key of section "Main" that says why the file is no hot key table
        // (empty when it could not be read at all; `error` then says why).
        std::string refusalKey = {};
    };
    virtual ~TableStore() = default;
    virtual Result save(const std::string& path) = 0;
    // Appends the rows of the file to the table; a file that is no hot key table is refused
    // and the table stays as it was.
    virtual Result load(const std::string& path) = 0;
    // Reads the whole file and tells whether it is a hot key table, changing nothing.
    virtual Result examine(const std::string& path) {
        (void)path;
        return {};
    }
    // Keeps the file at `path` as `path` + ".bak" (one generation, readable by the user only);
    // nothing to do when there is no file.
    virtual Result keepBackup(const std::string& path) {
        (void)path;
        return {};
    }
    // True once: when the properties notice has not been shown yet (and is now recorded).
    virtual bool takePropertiesNotice() = 0;
};

struct MenuState {
    bool deleteSelected = true;
    bool deleteAll = true;
    bool saveAs = true;
};

// How the commands change the table's rows, told before and after each change so that a view
// of the table can follow: Insert and Remove concern row `first`; Swap exchanges rows `first`
// and `first` + 1; Reset may change every row.
enum class RowChange { Insert, Remove, Swap, Reset };

class RowChangeListener {
public:
    virtual ~RowChangeListener() = default;
    virtual void rowsAboutToChange(RowChange change, size_t first) = 0;
    virtual void rowsChanged(RowChange change) = 0;
};

// A row whose property editor is to be opened.
struct EditRequest {
    size_t row;
    ActionKind kind;
};

class TableCommands {
public:
    struct Context {
        HotKeyTable& table;
        HotKeyRegistry& registry;
        const LanguageTexts& texts;
        const KeyNameSource& names;
        Prompter& prompter;
        TableStore& store;
        // Language texts of section "Main" (messages).
        std::function<std::string(std::string_view key)> message;
        Permissions permissions;
        std::string hotKeyFilePath;      // the per-user hot key file
        DeviceIdSource defaultDeviceId;  // the default audio endpoint, asked when needed
        // The words of every language (null: those built into the program).
        const LanguageCatalogue* languages = nullptr;
    };

    explicit TableCommands(Context context) : c_(std::move(context)) {}

    // The shortcut words of the settings dialog's two fields, compared on add.
    void setReservedCombinations(uint16_t symbolHotKey, uint16_t deActivateHotKey) {
        symbolHotKey_ = symbolHotKey;
        deActivateHotKey_ = deActivateHotKey;
    }
    // The two special combinations as set last (0 where none is in force).
    ReservedCombinations reservedCombinations() const { return {symbolHotKey_, deActivateHotKey_}; }
    void setPermissions(const Permissions& p) { c_.permissions = p; }
    void setDefaultDeviceId(DeviceIdSource id) { c_.defaultDeviceId = std::move(id); }
    // Told about every change of rows the commands make; null for none.
    void setListener(RowChangeListener* listener) { listener_ = listener; }

    // Adds the combination `shortCut` with the action `kind`. A combination the desktop uses
    // itself is added only after the user agrees; `added` runs once the row is in the table.
    // True when the row is in the table on return (so always when nothing was asked, or the
    // prompter answered at once).
    bool add(uint16_t shortCut, ActionKind kind, std::function<void()> added = {});
    // The row to open an editor for, when the selected row has properties of a kind named in
    // any language.
    std::optional<EditRequest> edit();
    // The kind a row's caption names in the current language or any other; what the editors
    // are opened by.
    std::optional<ActionKind> kindOf(const HotKeyEntry& row) const;
    void deleteSelected();
    // Asks first; `done` runs once the question is answered and the commands are through.
    void deleteAll(std::function<void()> done = {});
    void moveUp() { move(-1); }
    void moveDown() { move(+1); }
    // Loading asks for permission before the file dialog opens.
    bool mayLoad();
    // Reads the file first: one that is no hot key table is refused with a message that names
    // it and says why, and nothing changes. A table replaces the rows only after the user
    // agrees (asked when there are rows to lose), and the per-user hot key file is kept as
    // its ".bak" first. `done` runs after a replacement.
    void load(const std::string& path, std::function<void()> done = {});
    void saveTo(const std::string& path);
    // Writes the table to the per-user hot key file; a failure is shown to the user.
    bool savePerUserFile();

    int selectedRow() const { return selected_; }
    void select(int row) { selected_ = (row >= 0 && row < int(c_.table.size())) ? row : -1; }
    // The menu state as of the last update (all enabled until the first one).
    const MenuState& menuState() const { return menu_; }
    void updateMenuState();
    // Tells the user how many rows of a loaded file did not fit into the table.
    void reportLeftOut(size_t rowsLeftOut);

private:
    bool permitted();
    // The checks of add() that need no question; each refusal is told.
    bool mayAdd(uint16_t shortCut, ActionKind kind);
    bool appendRow(uint16_t shortCut, ActionKind kind);
    // Replaces the rows by those of the file.
    void replaceWith(const std::string& path);
    void tellLoadFailure(const std::string& path, const TableStore::Result& r);
    void move(int direction);
    // Runs `change` on the table between the listener's two notices.
    template <typename F>
    void changeRows(RowChange kind, size_t first, F&& change) {
        if (listener_) listener_->rowsAboutToChange(kind, first);
        change();
        if (listener_) listener_->rowsChanged(kind);
    }
    void info(std::string_view key) {
        c_.prompter.showMessage(c_.message(key), MessageType::Information);
    }

    Context c_;
    uint16_t symbolHotKey_ = 0;
    uint16_t deActivateHotKey_ = 0;
    int selected_ = -1;
    MenuState menu_;
    RowChangeListener* listener_ = nullptr;
};

}  // namespace vorbix
