// Moving clipboard data through a pipe that the desktop (or another client) holds the other end
// of, bounded in time so that a reader or writer that stalls cannot hold the program.
#pragma once

#include <cstdint>
#include <string>

namespace vorbix::portal {

// A monotonic clock in milliseconds, for the deadlines below.
int64_t nowMs();

// Whether a clipboard format name carries data: the X11 selection targets that a bridged
// selection lists beside its data types (TARGETS, MULTIPLE, ...) carry none.
bool carriesData(const std::string& mime);

// Writes all of `bytes` to `fd` (non-blocking or blocking), waiting while a slow reader's pipe is
// full; gives up after `boundMs`. A reader that has gone away ends the write without ending the
// program: SIGPIPE is held back meanwhile and taken after. Returns whether all was written.
bool writeAll(int fd, const std::string& bytes, int boundMs);

// Reads `fd` (non-blocking) to its end. Empty when the end has not come by `deadlineMs` (better
// nothing than a part) or the data is larger than `maxBytes`.
std::string readAll(int fd, int64_t deadlineMs, size_t maxBytes = 16u << 20);

}  // namespace vorbix::portal
