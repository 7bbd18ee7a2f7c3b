// File dialog filters: the language files give them in the Windows form "Text (*.ext)|*.ext".
#pragma once

#include <QString>
#include <string>

namespace vorbix {

// A Windows filter "Text|*.ext" as a Qt filter "Text (*.ext)"; "*.*" means every file.
QString qtFilter(const std::string& filter);

// `path` with "." + `suffix` added when its file name has no extension; empty stays empty.
std::string withDefaultSuffix(const std::string& path, const std::string& suffix);

}  // namespace vorbix
