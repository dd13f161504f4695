// Integer arithmetic on rotation and Seitz matrices, and the classification of a rotation.
#pragma once

#include "crystal/sgRecord.h"

// a mod m in 0..m-1 for m > 0; a unchanged for m <= 0.
int iModPositive(int a, int m);

int traceRotMx(const int* R);
int deterRotMx(const int* R);
// out = R.v; each component reduced to 0..FacTr-1 when FacTr > 0. out may be v.
void RotMx_t_Vector(int* out, const int* R, const int* v, int FacTr);
// ab = a.b; ab may be a or b.
void RotMxMultiply(int* ab, const int* a, const int* b);
// M <- RMx . M . InvRMx
void RotateRotMx(int* M, const int* RMx, const int* InvRMx);
// Product of two group operations, translation reduced to 0..11. ab may be a or b.
void SeitzMxMultiply(T_RTMx* ab, const T_RTMx* a, const T_RTMx* b);
// R = a.R b.R; T = a.R b.T + FacAug a.T, reduced to 0..FacTr-1 when FacTr > 0.
void RTMxMultiply(T_RTMx* ab, const T_RTMx* a, const T_RTMx* b, int FacAug, int FacTr);
// Inv = adjugate of R: the inverse times the determinant (the inverse for determinant +1).
void InverseRotMx(const int* R, int* Inv);
// inv.R = adjugate of a.R; inv.T = -(inv.R a.T), not reduced.
void InverseRTMx(const T_RTMx* a, T_RTMx* inv);

// 1 when T plus some centring vector is 0 modulo 12, else 0.
int IsSMxTransl0(const T_LatticeInfo* L, const int* T);
// 1 when the rotations differ; 0 when b.T = a.T + some centring vector (mod 12); else -1.
int CompareSeitzMx(const T_LatticeInfo* L, const T_RTMx* a, const T_RTMx* b);

// 1, 2, 3, 4, 6, negative for rotoinversions; 0 when not crystallographic.
int GetRotMxOrder(const int* R);
// The order as above, and (when info is given) axis, direction code and reference axis.
int GetRotMxInfo(const int* R, T_RotMxInfo* info);
// The stored classification of entry i, or buf filled on the fly; null (with a message) when
// the entry is not crystallographic.
const T_RotMxInfo* ListOrBufRotMxInfo(const T_SgRecord* sg, int i, T_RotMxInfo* buf);
