#include "storage/ConfigWindows.h"

#include <filesystem>
#include <system_error>

#include "core/LanguageTexts.h"
#include "storage/ConfigFile.h"
#include "storage/StorageLocations.h"

namespace vorbix {

namespace {

namespace cfg = config;

// The list control's automatic widths are -1 and -2; anything below is no width.
constexpr int32_t kSmallestColumnWidth = -2;

std::string languageOf(const std::string& value) {
    return std::string(value == kEnglish ? kEnglish : kGerman);
}

// Whether two paths name the same file, also when it does not exist yet.
bool sameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    std::error_code ecA, ecB;
    const auto canonicalA = std::filesystem::weakly_canonical(a, ecA);
    const auto canonicalB = std::filesystem::weakly_canonical(b, ecB);
    if (ecA || ecB)
        return std::filesystem::path(a).lexically_normal() ==
               std::filesystem::path(b).lexically_normal();
    return canonicalA == canonicalB;
}

std::optional<ConfigFile> openOrFail(const std::string& path, FileResult& result) {
    std::string error;
    std::optional<ConfigFile> file = ConfigFile::open(path, &error);
    if (!file) result = {false, error};
    return file;
}

struct PlacementKeys {
    cfg::IntegerKey width, height, x, y;
    cfg::TextKey state;
};

constexpr PlacementKeys kMainPlacement{cfg::kClientWidth, cfg::kClientHeight, cfg::kPositionX,
                                       cfg::kPositionY, cfg::kState};
constexpr PlacementKeys kInsertTextPlacement{
    cfg::kInsertTextClientWidth, cfg::kInsertTextClientHeight, cfg::kInsertTextPositionX,
    cfg::kInsertTextPositionY, cfg::kInsertTextState};

void readPlacement(const ConfigFile& file, const PlacementKeys& keys, int32_t ppi,
                   WindowPlacement& window) {
    window.clientWidth = file.read(keys.width, ppi);
    window.clientHeight = file.read(keys.height, ppi);
    window.positionX = file.read(keys.x);
    window.positionY = file.read(keys.y);
    window.centred = window.positionX == 0 && window.positionY == 0;
    // Any other state text leaves the window's state as it is.
    const std::string state = file.read(keys.state);
    if (state == cfg::kStateNormal) window.state = WindowState::Normal;
    if (state == cfg::kStateMaximized) window.state = WindowState::Maximized;
}

void writePlacement(ConfigFile& file, const PlacementKeys& keys, const WindowPlacement& window) {
    file.write(keys.width, window.clientWidth);
    file.write(keys.height, window.clientHeight);
    file.write(keys.x, window.positionX);
    file.write(keys.y, window.positionY);
    if (window.state == WindowState::Normal) file.write(keys.state, cfg::kStateNormal);
    if (window.state == WindowState::Maximized) file.write(keys.state, cfg::kStateMaximized);
}

constexpr std::array<cfg::ColorKey, 4> kColorKeys{cfg::kColor1, cfg::kColor2, cfg::kColor3,
                                                  cfg::kColor4};

}  // namespace

MainConfig MainConfig::defaults(int32_t ppi) {
    MainConfig config;
    for (int32_t& width : config.columnWidths) width = ScaleToScreen(width, ppi);
    config.window.clientWidth = ScaleToScreen(config.window.clientWidth, ppi);
    config.window.clientHeight = ScaleToScreen(config.window.clientHeight, ppi);
    return config;
}

FileResult LoadMainConfig(const std::string& path, const ConfigContext& context,
                          MainConfig& config) {
    FileResult result;
    std::optional<ConfigFile> file = openOrFail(path, result);
    if (!file) return result;

    config.language = languageOf(file->read(cfg::kLanguage));

    constexpr std::array<cfg::IntegerKey, 3> columns{cfg::kCol0, cfg::kCol1, cfg::kCol2};
    for (size_t i = 0; i < columns.size(); ++i) {
        const int32_t width = file->read(columns[i], context.ppi);
        config.columnWidths[i] =
            width >= kSmallestColumnWidth ? width : ScaleToScreen(columns[i].fallback, context.ppi);
    }

    readPlacement(*file, kMainPlacement, context.ppi, config.window);
    file->write(cfg::kProgramDir, context.programFolder);
    config.improvementVisible = file->read(cfg::kImprovement) != cfg::kFlagOff;
    config.trayIconVisible = file->read(cfg::kSymbolHotKey).empty();
    config.welcomeCheckBoxTicked = file->read(cfg::kWelcome) == cfg::kFlagOff;
    config.welcomeCheckBoxEnabled = context.mayChangeConfig;
    config.hideByMinimize = file->read(cfg::kHideByMinimize) != 0;

    // "1" or absent: active, and "1" is written back; anything else, also empty: inactive.
    config.active = file->read(cfg::kActive) == cfg::kFlagOn;
    if (config.active) file->write(cfg::kActive, cfg::kFlagOn);

    for (size_t i = 0; i < kColorKeys.size(); ++i) config.colors[i] = file->read(kColorKeys[i]);

    return file->save();
}

FileResult SaveMainConfig(const std::string& path, const ConfigContext& context,
                          const MainConfig& config) {
    FileResult result;
    std::optional<ConfigFile> file = openOrFail(path, result);
    if (!file) return result;

    file->write(cfg::kProgramDir, context.programFolder);
    file->write(cfg::kCol0, config.columnWidths[0]);
    file->write(cfg::kCol1, config.columnWidths[1]);
    file->write(cfg::kCol2, config.columnWidths[2]);
    writePlacement(*file, kMainPlacement, config.window);
    file->writeFlag(cfg::kActive, config.active);

    // An exported file carries the two notices as the user's own file records them; a notice
    // that was never recorded (or a file that cannot be read) counts as shown.
    const std::string ownFile = configFilePath(withTrailingSlash(context.dataFolder));
    if (!sameFile(path, ownFile)) {
        const std::optional<ConfigFile> own = ConfigFile::open(ownFile);
        for (const cfg::TextKey& notice : {cfg::kPropertiesNotice, cfg::kSymbolNotice}) {
            const std::string shown =
                own ? own->readString(notice.section, notice.name, cfg::kFlagOn)
                    : std::string(cfg::kFlagOn);
            file->writeFlag(notice, shown == cfg::kFlagOn);
        }
    }

    file->writeFlag(cfg::kWelcome, !config.welcomeCheckBoxTicked);
    return file->save();
}

FileResult LoadSettingsConfig(const std::string& path, const ConfigContext& context,
                              SettingsConfig& config) {
    FileResult result;
    std::optional<ConfigFile> file = openOrFail(path, result);
    if (!file) return result;

    config.symbolHotKey = file->read(cfg::kSymbolHotKey);
    config.symbolHotKeyOn = !config.symbolHotKey.empty();
    config.deActivateHotKey = file->read(cfg::kDeActivateHotKey);
    config.deActivateHotKeyOn = !config.deActivateHotKey.empty();
    config.improvement = file->read(cfg::kImprovement) == cfg::kFlagOn;

    config.autoUpdate = file->read(cfg::kAutoUpdate) == cfg::kFlagOn;
    if (config.autoUpdate) {
        // An interval the box does not offer selects the first entry, one day.
        const std::string interval = file->read(cfg::kUpdateInterval);
        config.updateIntervalDays = kUpdateIntervals[0];
        for (int32_t offered : kUpdateIntervals) {
            if (interval == std::to_string(offered)) config.updateIntervalDays = offered;
        }
    }

    config.hideByMinimize = file->read(cfg::kHideByMinimize) != 0;

    // The scheme box selects its entry, which sets the swatches for the three fixed schemes;
    // the stored colours then take the swatches over.
    config.schemeIndex = schemeIndexFromValue(file->read(cfg::kScheme), context.customSchemeText);
    if (config.schemeIndex && *config.schemeIndex < kCustomSchemeIndex) {
        config.colors = colorSchemes()[static_cast<size_t>(*config.schemeIndex)].colors;
    }
    for (size_t i = 0; i < kColorKeys.size(); ++i) config.colors[i] = file->read(kColorKeys[i]);

    config.pathCheck = file->read(cfg::kProgramDirPrompt) != cfg::kFlagOff;
    config.welcomeCheckBoxTicked = file->read(cfg::kWelcome) == cfg::kFlagOff;
    config.saveClipboard = file->read(cfg::kSaveClipBoard) != cfg::kFlagOff;
    config.language = languageOf(file->read(cfg::kLanguage));

    return file->save();
}

FileResult SaveSettingsConfig(const std::string& path, const SettingsConfig& config) {
    FileResult result;
    std::optional<ConfigFile> file = openOrFail(path, result);
    if (!file) return result;

    file->write(cfg::kLanguage, languageOf(config.language));
    file->writeFlag(cfg::kWelcome, !config.welcomeCheckBoxTicked);
    file->writeFlag(cfg::kAutoUpdate, config.autoUpdate);
    if (config.autoUpdate)
        file->write(cfg::kUpdateInterval, std::to_string(config.updateIntervalDays));
    file->write(cfg::kHideByMinimize, config.hideByMinimize ? 1 : 0);
    file->write(cfg::kScheme, schemeValueForIndex(config.schemeIndex));
    for (size_t i = 0; i < kColorKeys.size(); ++i) file->write(kColorKeys[i], config.colors[i]);
    file->writeFlag(cfg::kProgramDirPrompt, config.pathCheck);
    file->writeFlag(cfg::kSaveClipBoard, config.saveClipboard);
    if (config.symbolHotKeyOn) {
        file->write(cfg::kSymbolHotKey, config.symbolHotKey);
    } else {
        file->erase(cfg::kSymbolHotKey);
    }
    if (config.deActivateHotKeyOn) {
        file->write(cfg::kDeActivateHotKey, config.deActivateHotKey);
    } else {
        file->erase(cfg::kDeActivateHotKey);
    }
    file->writeFlag(cfg::kImprovement, config.improvement);
    return file->save();
}

FileResult LoadInsertTextConfig(const std::string& path, const ConfigContext& context,
                                InsertTextConfig& config) {
    FileResult result;
    std::optional<ConfigFile> file = openOrFail(path, result);
    if (!file) return result;
    readPlacement(*file, kInsertTextPlacement, context.ppi, config.window);
    config.wrapLines = file->read(cfg::kReturn) == cfg::kFlagOn;
    return file->save();
}

FileResult SaveInsertTextConfig(const std::string& path, const InsertTextConfig& config) {
    FileResult result;
    std::optional<ConfigFile> file = openOrFail(path, result);
    if (!file) return result;
    writePlacement(*file, kInsertTextPlacement, config.window);
    return file->save();
}

}  // namespace vorbix
