// How the process sets up its heap before a run.
#pragma once

// A run builds large arrays of atom records and drops them stage after stage, and on virtual
// machines every fresh 4 KiB page costs a page fault of several microseconds. The heap is
// therefore grown once by a large stretch of address space, advised for huge pages (one fault
// per 2 MiB where the system offers them), and freed memory stays with the process to be used
// again. Untouched address space costs no memory. Call it once at the start of main.
void setUpHeap();
