#include "platform/linux/FreedMemory.h"

#include <malloc.h>

namespace vorbix {

void returnFreedMemory() {
    malloc_trim(0);
}

}  // namespace vorbix
