// The program's version: one constant of the build (the project version set in the top-level
// CMakeLists.txt), shown by the about box and compared by the update check.
#pragma once

#include <string_view>

#ifndef VORBIX_VERSION_TEXT
#error "VORBIX_VERSION_TEXT is set by the build (shell/CMakeLists.txt)"
#endif

namespace vorbix {

inline constexpr std::string_view kVersionText = VORBIX_VERSION_TEXT;

}  // namespace vorbix
