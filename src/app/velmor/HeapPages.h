#pragma once

namespace vel {

// Asks the kernel to back the program's heap with transparent huge pages (2 MB) where the system
// allows them on request: a large import or export touches a hundred megabytes of heap, and with
// 4 KB pages every one of them costs a page fault. Call once, first thing in main().
void preferHugeHeapPages();

}  // namespace vel
