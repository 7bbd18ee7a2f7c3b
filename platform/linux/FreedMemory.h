// Gives memory that the program has freed back to the system. The allocator keeps freed blocks
// for later use; after a large table has been read (its file, the decoded text, the parsed
// lines), most of that stays with the process although nothing uses it any more.
#pragma once

namespace vorbix {

void returnFreedMemory();

// The program's few threads share the allocator's main pool instead of one pool each (whose
// unused pages would otherwise stay with the process); MALLOC_ARENA_MAX, when set, is left in
// force. Called before the first thread starts.
void limitAllocatorArenas();

}  // namespace vorbix
