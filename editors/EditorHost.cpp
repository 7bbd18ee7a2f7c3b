#include "editors/EditorHost.h"

namespace vorbix {

const KeyNameSource& EditorHost::keyNames() const {
    static const BuiltinKeyNames german(BuiltinKeyNames::Group::German);
    return german;
}

const HotKeyTable& EditorHost::table() const {
    static const HotKeyTable none;
    return none;
}

const Desktop& EditorHost::desktop() const {
    static const Desktop none;
    return none;
}

QIcon EditorHost::icon(const char* themeName, const char*) const {
    return QIcon::fromTheme(QString::fromLatin1(themeName));
}

}  // namespace vorbix
