// Whether two items (two events) hold the same: fields, comments, use
// entries with their fields, lists and list comments, parameters. A key
// one element holds empty and the other does not hold at all counts as the
// same; so does a list that is empty in one and absent in the other.
//
// The save compares what an element holds now with what its kept text
// reads as, to tell whether it may write that text again unchanged.
#pragma once

#include "document/event_struct.h"
#include "document/item_struct.h"

bool SameContent(const Citemstruct& a, const Citemstruct& b);
bool SameContent(const Ceventstruct& a, const Ceventstruct& b);
