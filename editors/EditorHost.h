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
#include "editors/EditorTexts.h"
#include "storage/AtomicFile.h"

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
    // The whole table, for editors that offer other rows' values.
    virtual const HotKeyTable& table() const = 0;
    // The desktop's services: the launcher (whether a path can be found), the sound system.
    virtual const Desktop& desktop() const = 0;
    // The setting ProgramDirPrompt as the program holds it: whether paths are checked.
    virtual bool pathCheck() const = 0;
    // The per-user configuration file, where one-time notices are remembered.
    virtual std::string configPath() const = 0;
    virtual QIcon actionIcon(ActionKind kind) const = 0;
};

}  // namespace vorbix
