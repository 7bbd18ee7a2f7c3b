// What a property editor needs of the program: the row it works on (followed through moves of
// rows; gone when the row was deleted or the table replaced), writing that row together with
// the whole hot key file, the language, the texts stored values are compared with, messages, the
// screen's pixels per inch, the rest of the table, the desktop's services and the settings.
#pragma once

#include <QIcon>
#include <QPersistentModelIndex>
#include <string>

#include "components/Translatable.h"
#include "core/HotKeyTable.h"
#include "core/Ports.h"
#include "core/SimulatedKeyComb.h"
#include "editors/EditorTexts.h"
#include "storage/AtomicFile.h"
#include "storage/ConfigWindows.h"

namespace vorbix {

class EditorHost {
public:
    virtual ~EditorHost() = default;
    // The row behind `row`; null when it no longer exists.
    virtual const HotKeyEntry* row(const QPersistentModelIndex& row) const = 0;
    // Writes `values` into the row and saves the whole hot key file. When the file cannot be
    // written the row keeps its former values and the result carries the system's reason.
    virtual FileResult writeRow(const QPersistentModelIndex& row, const HotKeyEntry& values) = 0;
    virtual const LanguageSource& language() const = 0;
    virtual const EditorTexts& texts() = 0;
    virtual Prompter& prompter() = 0;
    virtual int ppi() const = 0;

    // What some editors need beyond the row; the defaults serve editors that need none of it.
    // The whole table, for editors that offer or check other rows' values (empty by default).
    virtual const HotKeyTable& table() const;
    // The desktop's services: the launcher (whether a path can be found), the sound system,
    // the drive list, opening addresses, the focus (none by default).
    virtual const Desktop& desktop() const;
    // The names of the keys of the active keyboard layout.
    virtual const KeyNameSource& keyNames() const;
    // The special combinations of the settings in force.
    virtual ReservedCombinations reservedCombinations() const { return {}; }
    // The setting ProgramDirPrompt as the program holds it: whether paths are checked.
    virtual bool pathCheck() const { return true; }
    // The setting SaveClipBoard as the program holds it: whether the clipboard's previous
    // content comes back after a text is inserted.
    virtual bool keepClipboard() const { return false; }
    // The theme icon `themeName` where the desktop has one, else the picture Images/<file>.
    virtual QIcon icon(const char* themeName, const char* file) const;
    virtual QIcon actionIcon(ActionKind kind) const = 0;
    // The insert-text editor's window and wrap box as the program holds them (read at start
    // and by a configuration import, written with the configuration).
    virtual InsertTextConfig& insertTextConfig() = 0;
    // The per-user configuration file: the insert-text editor writes its part when it closes
    // and when the wrap box is clicked; one-time notices are remembered there.
    virtual std::string configPath() const = 0;
};

}  // namespace vorbix
