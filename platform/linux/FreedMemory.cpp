#include "platform/linux/FreedMemory.h"

#include <malloc.h>

#include <cstdlib>

namespace vorbix {

void returnFreedMemory() {
    malloc_trim(0);
}

void limitAllocatorArenas() {
    if (std::getenv("MALLOC_ARENA_MAX")) return;
    mallopt(M_ARENA_MAX, 1);
}

}  // namespace vorbix
