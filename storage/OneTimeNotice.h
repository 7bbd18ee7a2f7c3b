// One-time notices: a flag "0"/"1" in "Config.ini" records that a notice was shown, so each user
// sees it once.
#pragma once

#include <string>

#include "storage/ConfigFile.h"

namespace vorbix {

// Whether the notice of `flag` is still to be shown. When it is, the flag is set to "1" and the
// file written back with every other key kept; a notice whose flag cannot be written is still
// shown. A configuration file that cannot be read shows nothing.
bool takeOneTimeNotice(const std::string& configPath, const config::TextKey& flag);

}  // namespace vorbix
