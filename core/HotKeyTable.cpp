#include "core/HotKeyTable.h"

#include <utility>

#include "core/TextUtil.h"

namespace vorbix {

bool HotKeyTable::append(HotKeyEntry row) {
    if (full()) return false;
    rows_.push_back(std::move(row));
    return true;
}

void HotKeyTable::remove(size_t i) {
    if (i < rows_.size()) rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i));
}

void HotKeyTable::swapWithNext(size_t i) {
    if (i + 1 < rows_.size()) std::swap(rows_[i], rows_[i + 1]);
}

std::string hotKeyCountText(size_t count) {
    if (count == 1) return "1 Hot Key";
    return std::to_string(count) + " Hot Keys";
}

std::string programWithoutMarker(std::string_view program) {
    if (program.ends_with(kFileMarker) || program.ends_with(kFolderMarker)) {
        program.remove_suffix(kFileMarker.size());
    }
    return std::string(program);
}

std::string composeProgramProperties(std::string_view programWithoutMarker,
                                     std::string_view parameter, std::string_view howToOpen) {
    std::string p(programWithoutMarker);
    if (!parameter.empty()) {
        p += ' ';
        p += parameter;
    }
    p += " | ";
    p += howToOpen;
    return p;
}

std::string composeWebsiteProperties(std::string_view url, std::string_view howToOpen) {
    return std::string(url) + " | " + std::string(howToOpen);
}

std::string composeWindowProperties(std::string_view window) {
    if (!window.empty() && window.back() == '|')
        return std::string(window.substr(0, window.size() - 1));
    return std::string(window);
}

HotKeyEntry makeNewRow(ActionKind kind, std::string hotKeyText, const LanguageTexts& texts,
                       const DeviceIdSource& defaultDeviceId) {
    HotKeyEntry row;
    row.HotKeyText = std::move(hotKeyText);
    row.ActionText = texts.caption(kind);
    const ActionInfo& info = actionInfo(kind);
    const std::string& placeholder = texts.placeholder(info.placeholder);
    switch (kind) {
        case ActionKind::OpenProgramDir:
            row.Program = texts.sNewProgramDir + std::string(kFileMarker);
            row.HowToOpen = std::string(kNormalMode);
            row.PropertiesText = texts.sNewProgramDir + " | " + std::string(kNormalMode);
            break;
        case ActionKind::Website:
            row.URL = texts.sNewWebsite;
            row.HowToOpen = std::string(kNormalMode);
            row.PropertiesText = texts.sNewWebsite + " | " + std::string(kNormalMode);
            break;
        case ActionKind::HideWindows:
        case ActionKind::ShowWindows:
            row.Window = placeholder;
            row.PropertiesText = placeholder;
            break;
        case ActionKind::InsertText:
            row.Text = "<~Form~>";
            row.PropertiesText = placeholder;
            break;
        case ActionKind::AdjustVolume:
            row.DeviceId = defaultDeviceId();
            row.PropertiesText = placeholder;
            break;
        default:
            row.PropertiesText = placeholder;
            break;
    }
    return row;
}

}  // namespace vorbix
