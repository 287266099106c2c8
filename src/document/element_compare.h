// Whether two items (two events) hold the same: fields, comments, use
// entries with their fields, lists and list comments, parameters. A key
// one element holds empty and the other does not hold at all counts as the
// same; so does a list that is empty in one and absent in the other.
//
// The save compares what an element holds now with what its kept text
// reads as, to tell whether it may write that text again unchanged.
#pragma once

#include <cstdint>

#include "document/event_struct.h"
#include "document/item_struct.h"

bool SameContent(const Citemstruct& a, const Citemstruct& b);
bool SameContent(const Ceventstruct& a, const Ceventstruct& b);

// A 64-bit hash of the same content: elements that hold the same have the
// same hash, whatever the order of their map keys; elements that differ
// have the same hash only by a chance of about 2^-64. The reader keeps it
// with the element's place in the kept text, so that the save finds the
// elements that did not change without reading their text again.
uint64_t ContentHash(const Citemstruct& item);
uint64_t ContentHash(const Ceventstruct& event);
