// T_SgRecord: the space-group record of the crystal block (placeholder until the library lands).
#pragma once

// The space-group library fills this record from the space-group text of the cell record.
// Until that library exists the record holds nothing; the crystal block carries it so that
// its layout and copies already have their final shape.
struct T_SgRecord {};
