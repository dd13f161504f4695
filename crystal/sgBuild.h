// Building a space-group record from the space-group text of a crystal cell record.
#pragma once

#include "crystal/sgRecord.h"

// Resets every derived field of a record; maxList and the two lists stay as they are.
void InitSgRecord(T_SgRecord* sg);
// Resolves name (a table name, "VolA"/"VolI" + name, or "Hall" + Hall symbol; only its first
// 10 characters count and it is never written to) and builds the complete record. Clears
// SgError first; 0 on success, -1 on failure (with a message unless the name was unknown).
int BuildSgRecord(T_SgRecord* sg, const char* name);
