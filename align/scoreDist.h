// The score distance: BLOSUM62 similarity of two aligned rows scaled to an evolutionary distance.
#pragma once

class MSA;

// Protein only. 0 when the rows hold no residues; 3.8619 when they are no more alike than
// random sequences; otherwise -1.2873 ln(r) of the normalised score r.
double GetScoreDist(const MSA& msa, unsigned i, unsigned j);
