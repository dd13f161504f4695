// Change of basis of symmetry operations and of whole space groups.
#pragma once

#include "crystal/sgRecord.h"

// out = CBMx . SMx . InvCBMx, where the change-of-basis matrices scale their rotation by CRBF
// (12) and their translation by CTBF (72), and SMx is a Seitz matrix (translation in twelfths);
// 0, or -1 with a message when the result is not a Seitz matrix.
int CB_SMx(T_RTMx* out, const T_RTMx* CBMx, const T_RTMx* SMx, const T_RTMx* InvCBMx);
// Adds every operation of sg (centring and implicit inversion included), transformed, to out,
// whose lists the caller provides; 0 or -1. An operation moved off the twelfths by an origin
// shift that is itself off them is reported as such. Complete out with CompleteSgRecord afterwards.
int TransformSgRecord(const T_SgRecord* sg, const T_RTMx* CBMx, const T_RTMx* InvCBMx, T_SgRecord* out);
