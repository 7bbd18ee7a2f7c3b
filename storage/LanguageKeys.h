// Every key the program reads from a language file, per section. The sections come in the order
// in which all windows are translated after a change of language; within a section the keys come
// in the order the language files list them. Widgets name their keys through these constants
// rather than through string literals of their own.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace vorbix::lang {

// Section names, one per window.
inline constexpr std::string_view kMain = "Main";
inline constexpr std::string_view kAbout = "About";
inline constexpr std::string_view kSettings = "Settings";
inline constexpr std::string_view kInsertText = "InsertText";
inline constexpr std::string_view kOpenProgDir = "OpenProgDir";
inline constexpr std::string_view kDateTime = "DateTime";
inline constexpr std::string_view kWebsite = "Website";
inline constexpr std::string_view kHideShow = "HideShow";
inline constexpr std::string_view kOpenCloseDrive = "OpenCloseDrive";
inline constexpr std::string_view kSimulateKeyComb = "SimulateKeyComb";
inline constexpr std::string_view kAdjustVolume = "AdjustVolume";
inline constexpr std::string_view kControlAudioVideo = "ControlAudioVideo";
inline constexpr std::string_view kControlBrowser = "ControlBrowser";
inline constexpr std::string_view kSearchInternetProperties = "SearchInternetProperties";
inline constexpr std::string_view kSearchInternet = "SearchInternet";

struct SectionKeys {
    std::string_view section;
    std::span<const std::string_view> keys;
};

inline constexpr size_t kSectionCount = 15;

// All sections in translation order, each with all of its keys.
const std::array<SectionKeys, kSectionCount>& languageSections();
// The keys of one section (name compared without regard to case); empty for an unknown section.
std::span<const std::string_view> keysOf(std::string_view section);
// Whether the program reads `key` in `section` (names compared without regard to case).
bool isKnownKey(std::string_view section, std::string_view key);

// Keys of section "Main" that code refers to by name besides the widgets' own captions.
inline constexpr std::string_view kMessageTableFull = "MessageTableFull";
inline constexpr std::string_view kMessageTableTruncated = "MessageTableTruncated";
inline constexpr std::string_view kMessageHiddenWindows = "MessageHiddenWindows";
inline constexpr std::string_view kMessageActionFailed = "MessageActionFailed";
inline constexpr std::string_view kMessagePolicyUnreadable = "MessagePolicyUnreadable";
inline constexpr std::string_view kMessageWayland1 = "MessageWayland1";
inline constexpr std::string_view kMessageWayland2 = "MessageWayland2";
inline constexpr std::string_view kHintHotKeyDuplicate = "HintHotKeyDuplicate";
inline constexpr std::string_view kHintUnknownAction = "HintUnknownAction";

}  // namespace vorbix::lang
