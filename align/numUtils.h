// Numeric helpers of the alignment engine: score conversions, tolerances, vector sums and ranks.
#pragma once

#include "align/engineTypes.h"

// 2^x, or 0 for minus infinity.
PROB ScoreToProb(SCORE x);
WEIGHT DoubleToWeight(double x);
double WeightToDouble(WEIGHT w);
SCORE DoubleToScore(double x);

// Equal within 1e-4, or within 0.5 % of the sum of magnitudes; BTEq works in single precision.
bool ScoreEq(SCORE a, SCORE b);
bool BTEq(float a, float b);

double VecSum(const double* v, unsigned n);
// Divide by the sum; n = 0 or a zero sum ends the process ("Normalize, sum=0").
void Normalize(float* v, unsigned n);
// Scale so that the entries add up to total (the sum is taken in double); same failure.
void Normalize(float* v, unsigned n, float total);
void NormalizeUnlessZero(float* v, unsigned n);

bool VectorIsZero(const double* v, unsigned n);
bool VectorIsZero(const float* v, unsigned n);
void VectorSet(double* v, unsigned n, double x);
void VectorSet(float* v, unsigned n, float x);

// Pearson correlation; 0 when n = 0 or the covariance sum is 0.
double Correl(const double* a, const double* b, unsigned n);
float Correl(const float* a, const float* b, unsigned n);

// r[i] = 1 + (values below v[i]) + (other values equal to v[i]) / 2: ties share their mean rank.
void Rank(const double* v, double* r, unsigned n);
void Rank(const float* v, float* r, unsigned n);

// Sum of the 20 letter counts of a profile column.
FCOUNT SumCounts(const FCOUNT* counts);
