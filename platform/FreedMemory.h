#pragma once

namespace numora {

// Hands the memory the program has freed back to the system where the allocator keeps it for
// later use, so that a window that let go of a large table shrinks the process too.
void returnFreedMemory();

}  // namespace numora
