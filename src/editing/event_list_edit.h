// Where the event page puts a new or copied event, and the event it puts
// there.
#pragma once

#include <cstdint>

#include "document/edit_command.h"
#include "document/merx_document.h"
#include "editing/insert_place.h"

// A new event at `place` with one empty field per event key, coded
// "event_N" with N the number of events after the addition (codes may
// repeat: the integrity check reports them).
CEditCommandPtr InsertNewEvent(CMerxDocument& document, const CInsertPlace& place);

// A copy of `source` (fields, comments, params) at `place`, coded
// "<code>_copy_ID_N" with N the number of events after the addition.
CEditCommandPtr InsertEventCopy(CMerxDocument& document, const CInsertPlace& place, const Ceventstruct& source);
