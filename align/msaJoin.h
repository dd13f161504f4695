// Column-wise joins of two alignments over the same sequences.
#pragma once

class MSA;

// b's columns are written after a's in every row of a, from b's row with the same sequence
// id. Every row of a must have an id, and b must hold a row with it.
void MSAAppend(MSA& a, const MSA& b);
// out = a's columns then b's, rows of a in order with their names; b's row of the same name
// supplies the second part, or '-' throughout when b has none.
void MSACat(const MSA& a, const MSA& b, MSA& out);
