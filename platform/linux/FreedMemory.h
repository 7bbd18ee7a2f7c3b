// Gives memory that the program has freed back to the system. The allocator keeps freed blocks
// for later use; after a large table has been read (its file, the decoded text, the parsed
// lines), most of that stays with the process although nothing uses it any more.
#pragma once

namespace vorbix {

void returnFreedMemory();

}  // namespace vorbix
