// Reflection utilities over a completed space group: systematic absences, equivalent
// reflections, symmetry equivalence, and the bounds and representatives of a reflection list.
#pragma once

#include "crystal/sgRecord.h"

// 0 when (h,k,l) is present; else the code of the operation that extinguishes it: i + nList*j + 1
// for entry i with centring vector j, negative when through the implicit inversion; -1 with a
// message when the operations are inconsistent. TH_Restriction (optional) receives the phase
// restriction in twelfths (0 for centric groups, -1 for none).
int IsSysAbsent_hkl(const T_SgRecord* sg, int h, int k, int l, int* TH_Restriction);
// The multiplicity (Friedel mates counted), with the equivalent indices and phase shifts in eq;
// 0 with a message on inconsistent operations.
int BuildEq_hkl(const T_SgRecord* sg, T_Eq_hkl* eq, int h, int k, int l);
// i+1 when entry i maps the first reflection onto the second, -(i+1) onto its negative, else 0.
int AreSymEquivalent_hkl(const T_SgRecord* sg, int h1, int k1, int l1, int h2, int k2, int l2);
// Lower index bounds of a unique reflection list for upper bounds Maxk, Maxl.
void SetListMin_hkl(const T_SgRecord* sg, int Maxk, int Maxl, int* Minh, int* Mink, int* Minl);
// 0 when (h,k,l) is the representative to keep; else the code of the entry (negative for the
// Friedel mate) that maps it onto a reflection within the bounds that comes before it.
int IsSuppressed_hkl(const T_SgRecord* sg, int Minh, int Mink, int Minl, int Maxk, int Maxl, int h, int k,
                     int l);
