// The guard that a page apply and a direct edit pass before they store an
// item or an event: what is stored must come back from the file as it was
// stored. A script line "@@END" or "@@ITEM" would otherwise split the
// element on the next open, and a one-line field typed with "#" or with
// blanks at either end would come back changed.
//
// One difference is no damage: the file keeps no indentation that every
// line of a script shares (the reader takes it for the block's own). An
// edit whose text comes back changed only in the leading blanks and tabs
// of its lines is stored as it comes back.
//
// An edit that leaves the element's written text as it was passes without
// the check: browsing and applying nothing never refuses what the file
// already holds.
#pragma once

#include "document/merx_document.h"

enum class CReopenGuard {
    kStored,     // store `edited` as it is
    kNormalised, // `edited` became what the file gives back; store it so
    kRefused,    // store nothing; the reasons are in `errors`
};

// Whether `edited` may replace `stored`. On refusal `errors` gets one line
// per problem, each beginning with the 1-based number, in brackets, of the
// line of the element's text as the direct edit shows it.
CReopenGuard GuardReopen(const CMerxDocument& doc, const Citemstruct& stored, Citemstruct& edited,
                         CStr_base<1024>& errors);
CReopenGuard GuardReopen(const CMerxDocument& doc, const Ceventstruct& stored, Ceventstruct& edited,
                         CStr_base<1024>& errors);

// The page's refusal: a first line that says why, then the lines of
// GuardReopen.
CStr_base<1024> ReopenRefusalMessage(const CStr_base<1024>& errors);

// The lines of GuardReopen speak of the element's text as the writer puts
// it; a direct edit's reader sees the text as the person typed it. Each
// line "[n]：..." of `errors` takes the number of the line of `typed` that
// holds, leading blanks and tabs aside, what line n of `written` holds (the
// k-th such line when line n is the k-th of its text); a line found
// nowhere keeps its number. Both texts may end their lines in LF or CR LF.
CStr_base<1024> NumberedAsTyped(const CStr_base<1024>& errors, const char* written, const char* typed);

// A direct edit's check of the element read from `typed` (`before` is what
// the window was opened on): GuardReopen, with the lines numbered as
// NumberedAsTyped numbers them and appended to `errors`. False on refusal.
bool GuardDirectEdit(const CMerxDocument& doc, const Citemstruct& before, Citemstruct& parsed, const char* typed,
                     CStr_base<1024>& errors);
bool GuardDirectEdit(const CMerxDocument& doc, const Ceventstruct& before, Ceventstruct& parsed,
                     const char* typed, CStr_base<1024>& errors);
