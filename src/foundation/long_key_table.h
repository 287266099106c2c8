// Process-wide table of the map keys that do not fit in an entry's key
// buffer. All maps share it: a text is stored once, referred to by its
// index, and never removed, so its address stays valid for the whole run.
// Safe to use from several threads at once.
#pragma once

#include <cstdint>

// Index of `key` in the table; the key is appended when not yet present.
uint32_t LongKeyIndex(const char* key);

// Text stored at `index` (an index returned by LongKeyIndex).
const char* LongKeyText(uint32_t index);

// Number of texts in the table.
uint32_t LongKeyCount();
