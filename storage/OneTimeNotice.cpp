#include "storage/OneTimeNotice.h"

namespace vorbix {

bool takeOneTimeNotice(const std::string& configPath, const config::TextKey& flag) {
    std::optional<ConfigFile> file = ConfigFile::open(configPath);
    if (!file || file->read(flag) != config::kFlagOff) return false;
    file->write(flag, config::kFlagOn);
    (void)file->save();
    return true;
}

}  // namespace vorbix
