// Huge pages for the heap of a process that builds a large document.
//
// A document of tens of thousands of items is a great many small heap
// blocks; on a system whose transparent huge pages are given only to memory
// that asks for them ("madvise"), every 4 KB page of the heap costs a page
// fault and a TLB entry, and that makes up most of the time of an open.
// The C library asks for huge pages for its heap when its tunable
// "glibc.malloc.hugetlb=1" is set, which it reads only when a process
// starts: the program therefore starts itself once more with the tunable
// added, and takes it out of its environment again, so that programs it
// starts in turn get the environment the user gave it.
#pragma once

#include <optional>
#include <string>

// The tunable the C library reads for huge pages on its heap.
inline constexpr const char* kHugePageTunable = "glibc.malloc.hugetlb=1";

// The value of GLIBC_TUNABLES to start again with, for the current value
// (null when unset); nothing when the user already chose a setting of their
// own for the heap's huge pages.
std::optional<std::string> TunablesWithHugePages(const char* current);

// The value the user gave, from the value set by TunablesWithHugePages;
// nothing when the user had none.
std::optional<std::string> TunablesWithoutHugePages(const std::string& set);

// Starts the program again with huge pages for its heap when the system
// gives them only on request and the start is not already such a restart;
// in the restarted process, gives the environment back as it was. Returns
// when no restart is needed or the restart failed: the program then simply
// runs with the pages it has. Call first thing in main.
void UseHugePagesForTheHeap(char** argv);

// For a small program that only starts the real one (which then need not
// start itself again, and so load its libraries twice): runs `program`
// with `argv`, with the huge pages UseHugePagesForTheHeap would give it;
// that call in `program` gives the environment back. Returns only when
// `program` could not be started.
void StartWithHugePagesForTheHeap(const char* program, char** argv);
