#pragma once

namespace VozudOzev::HugePageHeap {

// Loading language data and reading a page fill a few hundred megabytes of fresh heap, and
// faulting it in 4 KiB pages took about as long as the reading itself. Grows the heap ahead
// in one stretch that the kernel may back with huge pages, keeps freed memory for the next
// reading instead of handing it back and faulting it in again, and lets every thread
// allocate from that heap. Process-wide and idempotent; call before the first engine is made.
void reserve();

}  // namespace VozudOzev::HugePageHeap
