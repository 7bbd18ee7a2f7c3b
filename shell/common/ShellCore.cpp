#include "shell/common/ShellCore.h"

#include <cerrno>

#include "core/VolumeAction.h"
#include "storage/ConfigFile.h"
#include "storage/FileKind.h"
#include "storage/HotKeyFile.h"

namespace vorbix {

TableStore::Result FileTableStore::save(const std::string& path) {
    FileResult written =
        SaveHotKeys(path, table_, texts_, defaultDeviceId_, SaveOptions{.languages = &languages_});
    return {written.ok, written.error, 0};
}

namespace {
// The verdict on a file read as a hot key table; a missing file is no refusal.
TableStore::Result verdictOn(const KindCheckedFile& file) {
    if (!file.error.empty()) return {false, file.error, 0};
    if (file.refusal != FileRefusal::None)
        return {false, "", 0, std::string(fileRefusalTextKey(file.refusal))};
    return {};
}
}  // namespace

TableStore::Result FileTableStore::examine(const std::string& path) {
    const KindCheckedFile file = readFileOfKind(path, FileKind::HotKeys);
    if (file.missing) return {false, systemErrorText(path, ENOENT), 0};
    return verdictOn(file);
}

TableStore::Result FileTableStore::keepBackup(const std::string& path) {
    const FileResult kept = vorbix::keepBackup(path);
    return {kept.ok, kept.error, 0};
}

TableStore::Result FileTableStore::load(const std::string& path) {
    // Whatever the file is, nothing is changed before it has been read whole and found to be a
    // hot key table (LoadHotKeys may write it back in normalised form).
    const KindCheckedFile file = readFileOfKind(path, FileKind::HotKeys);
    if (Result refused = verdictOn(file); !refused.ok) return refused;
    // The digests of long texts are made after the hot keys are registered (the table model
    // finishes the rows).
    LoadResult loaded = LoadHotKeys(path, table_, texts_, defaultDeviceId_,
                                    LoadOptions{.languages = &languages_,
                                                .deferTextDigests = true,
                                                .bytes = file.missing ? nullptr : &file.bytes});
    // The rows are loaded even when the file could not be rewritten; the user learns why.
    const std::string& error = loaded.ok ? loaded.writeBack.error : loaded.error;
    return {loaded.ok, error, loaded.rowsLeftOut};
}

bool FileTableStore::takePropertiesNotice() {
    auto file = ConfigFile::open(configPath_);
    if (!file) return false;
    const bool notShown = file->read(config::kPropertiesNotice) == config::kFlagOff;
    if (notShown) file->write(config::kPropertiesNotice, config::kFlagOn);
    file->save();
    return notShown;
}

ShellCore::ShellCore(ShellCoreSetup s)
    : languages(std::move(s.languages)),
      audioEndpoints(s.desktop.audio),
      defaultDeviceId(audioEndpoints.source()),
      registry(table, s.backend, s.names),
      store(table, s.texts, languages, s.configFilePath, defaultDeviceId),
      commands(TableCommands::Context{table, registry, s.texts, s.names, s.prompter, store,
                                      s.message, s.permissions, s.hotKeyFilePath, defaultDeviceId,
                                      &languages}),
      dispatcher(table, s.texts, registry, s.names, s.desktop, s.hooks, s.message, &languages),
      texts_(s.texts) {
    registry.addChangeHandler([this] { startSoundForVolumeRows(); });
}

void ShellCore::startSoundForVolumeRows() {
    if (!audioEndpoints.gathered()) {
        audioEndpoints.gatherWhen(holdsVolumeRow(table, languages, texts_));
    }
}

}  // namespace vorbix
