// The interface of vorbix-network.so, the module that downloads over HTTPS. The program loads it
// the first time it downloads (the update check), so that the network library and what it pulls
// in (Kerberos, proxy discovery) take no memory in a program that never checks. Plain C types
// only: the module and the program share nothing but this header.
#pragma once

#include <cstddef>

extern "C" {

struct VorbixDownloadLimits {
    int idleMs;          // no byte for this long ends the download
    int totalMs;         // the whole download takes at most this long
    long long maxBytes;  // an answer larger than this fails
};

// Called once from the event loop of the thread that started the download, unless the download
// was cancelled first. On success `body` holds the answer's `size` bytes; else `error` says why.
typedef void (*VorbixDownloadDone)(void* context, int ok, const char* body, size_t size,
                                   const char* error);

// Starts a download of `url` (UTF-8); returns its handle.
typedef void* (*VorbixDownloadStart)(const char* url, const VorbixDownloadLimits* limits,
                                     VorbixDownloadDone done, void* context);
// Ends a running download without calling its `done`; the handle is gone afterwards.
typedef void (*VorbixDownloadCancel)(void* download);
}

namespace vorbix {
inline constexpr const char* kNetworkModuleFile = "vorbix-network.so";
inline constexpr const char* kDownloadStartSymbol = "vorbixDownloadStart";
inline constexpr const char* kDownloadCancelSymbol = "vorbixDownloadCancel";
}  // namespace vorbix
