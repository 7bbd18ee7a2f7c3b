// The values of the program/folder editor (TOpenProgDir): what to start (a program or a folder),
// its path, the parameter string of a program and the window mode; decoded from a row when the
// editor is shown, checked and encoded into it on OK.
#pragma once

#include <functional>
#include <string>

#include "core/HotKeyTable.h"
#include "editors/EditorTexts.h"
#include "editors/WindowModeWords.h"

namespace vorbix {

// The entries of the target list, in list order.
enum class ProgDirTarget { Program = 0, Folder = 1 };

class OpenProgDirModel {
public:
    ProgDirTarget target = ProgDirTarget::Program;
    std::string path;
    std::string parameter;
    WindowModeEntry mode = WindowModeEntry::Normal;

    // Every value comes from the row: only a marker that ends `Program` is taken off (and a
    // folder marker selects Folder); a path that is the placeholder of any language shows as
    // empty; a folder has no parameter; a mode word of any language selects its mode, any other
    // word Normal.
    void decode(const HotKeyEntry& row, const EditorTexts& texts);
    // `Program` is the path (the current placeholder when empty) with the target's marker,
    // `Parameter` the parameter of a program (empty for a folder), `HowToOpen` the current
    // language's mode word, `PropertiesText` their summary.
    void encode(HotKeyEntry& row, const LanguageTexts& current) const;
    // Choosing Folder empties the parameter at once.
    void setTarget(ProgDirTarget t);

    // What OK asks before it stores a path that cannot be found.
    enum class Question { None, FileNotExists, DirNotExists };
    // Whether `path` can be found as a program (folder false) or a folder (folder true).
    using CanFind = std::function<bool(const std::string& path, bool folder)>;
    // No question when the check is off or the path is empty.
    Question question(bool pathCheck, const CanFind& canFind) const;
};

// The language key of a question's text in section "OpenProgDir"; empty for None.
const char* questionKey(OpenProgDirModel::Question q);

}  // namespace vorbix
