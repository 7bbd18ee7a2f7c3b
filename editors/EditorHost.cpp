#include "editors/EditorHost.h"

namespace vorbix {

const KeyNameSource& EditorHost::keyNames() const {
    static const BuiltinKeyNames german(BuiltinKeyNames::Group::German);
    return german;
}

QIcon EditorHost::icon(const char* themeName, const char*) const {
    return QIcon::fromTheme(QString::fromLatin1(themeName));
}

}  // namespace vorbix
