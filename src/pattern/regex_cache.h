// Compiled patterns, kept for reuse.
//
// The system's parsers run the same few patterns on every line of a file;
// compiling each of them once instead of on every call saves most of the
// work of a short call. A compiled tree is shared and never changes after
// its compilation: a call keeps its own reference, so a nested call that
// pushes it out of the cache does not free it while it is in use. Every
// thread keeps a cache of its own (the find worker besides the window
// thread), so that no lock is taken on the way to the pattern.
#pragma once

#include <memory>

#include "pattern/regex_first_bytes.h"
#include "pattern/regex_node.h"

struct CStrRegexCompiled {
    CStrRegexStruct root;
    CStrRegexFirstBytes first[2];  // without and with ignore-case
};

std::shared_ptr<const CStrRegexCompiled> StrRegexCompileCached(const char* pattern);
