// Identity-to-distance conversions (Kimura and log) used by the alignment-based guide trees.
#pragma once

// Identities are fractions in [0, 1].
// Kimura's protein distance: -ln(1 - D - D^2/5) for a difference D = 1 - pctId below 0.75,
// a table of PAM distances for D in 0.75 .. 0.93, and 10 beyond (hence the jump at 0.75).
double KimuraDist(double pctId);
double PctIdToHeightKimura(double pctId);
// The inverse of the formula branch of KimuraDist.
double KimuraDistToPctId(double dist);
// -ln(max(0.05, pctId)).
double PctIdToMAFFTDist(double pctId);
double PctIdToHeightMAFFT(double pctId);

// Hundredths of a distance for D = 0.750, 0.751, .., 0.930.
constexpr unsigned KIMURA_PAM_TABLE_SIZE = 181;
extern const int KimuraPamTable[KIMURA_PAM_TABLE_SIZE];
