// What counts as running out of memory.
//
// Storage runs out in two ways in this program: operator new and the
// strings raise std::bad_alloc, and a self-growing array whose storage runs
// out raises a null pointer of its element type (foundation/array_auto.h).
// Code that refuses an operation for want of memory, instead of passing the
// failure on as a programming error, asks inside its handler.
#pragma once

// Whether the exception being handled is one of the two. Call only inside a
// catch handler.
bool IsOutOfMemory();
