// Structure seminvariants: the vectors u and moduli m such that the phase of a reflection h is
// unaffected by every permissible change of origin exactly when u.h = 0 (mod m) for all u.
#pragma once

#include "crystal/sgRecord.h"

// 12 x 12 x 12 trial origin shifts (twelfths, x slowest).
constexpr int nLegalOriginGrid = 12 * 12 * 12;

// Fills grid: 0 for a shift that is not a permissible origin, 1 for one inside the reduced box
// of the centring, -1 for one outside it.
void MarkLegalOrigins(const T_SgRecord* sg, int* grid);
// 1 when the phase of (h,k,l) is unchanged by every permissible origin, else 0.
int Verify_si(int h, int k, int l, const int* grid);
// Finds and stores the seminvariant vectors and moduli of a completed record; 0 or -1.
int Set_si(T_SgRecord* sg);
// 1 when (h,k,l) meets every stored condition, else 0.
int Is_si(const T_SgRecord* sg, int h, int k, int l);
// uvw[i] = u_i.(h,k,l), as the C remainder modulo a non-zero modulus, for each stored vector.
void Set_uvw(const T_SgRecord* sg, int h, int k, int l, int* uvw);
