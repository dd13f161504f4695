// Aligning two alignments profile to profile, and joining two alignments along a path.
#pragma once

class MSA;
class PWPath;

// out = a and b aligned to each other: profiles of both (which sets each alignment's weights
// by the method in force), GlobalAlign, then the join along the path, which is returned too.
// lockLeft forbids any leading gap and lockRight any gap closing after the last column (both
// profiles' first open and last close scores become MINUS_INFINITY).
void AlignTwoMSAs(const MSA& a, const MSA& b, MSA& out, PWPath& path, bool lockLeft, bool lockRight);
// The path of AlignTwoMSAs alone (weights of a and b set the same way), without the join.
void AlignTwoMSAsPath(const MSA& a, const MSA& b, PWPath& path, bool lockLeft, bool lockRight);
// out = a's rows (names, ids) above b's rows, one column per edge ('-' on the side that has no
// column). Columns that the path skips are copied as an unaligned block: lower-case letters,
// the shorter side padded with '.'.
void AlignTwoMSAsGivenPath(const PWPath& path, const MSA& a, const MSA& b, MSA& out);
