// The logging category of the sound system's side: which back end serves, connections lost and
// found, refused changes. Diagnostics on standard error, never shown to the user.
#pragma once

#include <QLoggingCategory>

namespace vorbix {
Q_DECLARE_LOGGING_CATEGORY(lcAudio)
}
