#include "editors/OpenProgDirModel.h"

namespace vorbix {

void OpenProgDirModel::decode(const HotKeyEntry& row, const EditorTexts& texts) {
    const std::string_view program = row.Program;
    const bool folder = program.ends_with(kFolderMarker);
    const bool marked = folder || program.ends_with(kFileMarker);
    path = std::string(marked ? program.substr(0, program.size() - kFileMarker.size()) : program);
    if (texts.anyLanguageHas(path, &LanguageTexts::sNewProgramDir)) path.clear();
    target = folder ? ProgDirTarget::Folder : ProgDirTarget::Program;
    parameter = folder ? std::string() : row.Parameter;
    mode = windowModeOfWord(row.HowToOpen, texts);
}

void OpenProgDirModel::encode(HotKeyEntry& row, const LanguageTexts& current) const {
    const bool folder = target == ProgDirTarget::Folder;
    const std::string& head = path.empty() ? current.sNewProgramDir : path;
    row.HowToOpen = windowModeWord(mode, current);
    row.Program = head + std::string(folder ? kFolderMarker : kFileMarker);
    row.Parameter = folder ? std::string() : parameter;
    row.PropertiesText = composeProgramProperties(head, row.Parameter, row.HowToOpen);
}

void OpenProgDirModel::setTarget(ProgDirTarget t) {
    target = t;
    if (t == ProgDirTarget::Folder) parameter.clear();
}

OpenProgDirModel::Question OpenProgDirModel::question(bool pathCheck,
                                                      const CanFind& canFind) const {
    if (!pathCheck || path.empty() || !canFind) return Question::None;
    const bool folder = target == ProgDirTarget::Folder;
    if (canFind(path, folder)) return Question::None;
    return folder ? Question::DirNotExists : Question::FileNotExists;
}

const char* questionKey(OpenProgDirModel::Question q) {
    switch (q) {
        case OpenProgDirModel::Question::FileNotExists:
            return "MessageFileNotExists";
        case OpenProgDirModel::Question::DirNotExists:
            return "MessageDirNotExists";
        case OpenProgDirModel::Question::None:
            break;
    }
    return "";
}

}  // namespace vorbix
