// Substitution matrices of the alignment engine: 32 x 32 floats indexed [letter][letter] by
// letter number; rows and columns beyond the alphabet are 0.
#pragma once

typedef float SCOREMATRIX[32][32];
typedef SCOREMATRIX* PTR_SCOREMATRIX;

extern SCOREMATRIX PAM200NoCenter;
extern SCOREMATRIX PAM200;
extern SCOREMATRIX VTML_SPNoCenter;
extern SCOREMATRIX VTML_SP;
extern SCOREMATRIX VTML_LA;
extern SCOREMATRIX NUC_SP;
