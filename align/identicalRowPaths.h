// Profile-profile paths between two blocks of the same identical rows, kept for reuse: with
// identical input sequences every join of the progressive alignment and every trial of the
// refinement aligns the same row against itself, with only the number of rows (and so the
// weights) changing.
#pragma once

#include <string>

class MSA;
class PWPath;

// The profile of a block of identical rows is a function of the row and of three sums of its
// row weights, each accumulated in row order as the profile counts accumulate them: of w
// (letters, gaps and transitions), of w/2 and of w/20 (the shares of a wildcard). Of these the
// key holds only those that reach a field the dynamic programming reads (gap scores,
// occupancy, letter frequencies and letter scores): with normalised counts and no gap or
// wildcard in the row, none does, so blocks of any size share the key.
//
// False when a is not such a block or its profile would end the process (no rows or columns,
// an unsupported alphabet, a letter outside it, a letter total above normalisation's limit),
// which leaves those cases to the ordinary path. Otherwise the block's part of a key (the sums;
// the row is the caller's) is appended to key and a's weights are set by the method in force,
// as ProfileFromMSA sets them.
bool IdenticalRowsBlockKey(const MSA& a, std::string& key);

// One call of the profile alignment of a and b (AlignTwoMSAsPath): when both are blocks of one
// same row, their weights are set (a's first) and the pair is looked up; Keep stores the path
// computed for such a pair (at once when the key holds no weight sum, else when the key comes a
// second time). The kept paths are forgotten whenever a parameter that the profiles or the
// dynamic programming read has changed since they were stored (alphabet, scores, gap
// penalties, terminal-gap policy, normalisation, the substitution matrix's entries), and all
// at once when they hold more than a fixed amount of memory.
class IdenticalRowsJoin {
public:
    IdenticalRowsJoin(const MSA& a, const MSA& b, bool lockLeft, bool lockRight);
    // True, with the path, when this pair's path is kept.
    bool Find(PWPath& path) const;
    void Keep(const PWPath& path) const;

private:
    std::string m_Key;         // empty: not a pair of blocks of one same row
    bool m_bWeighted = false;  // the key holds a weight sum
};

// The kept paths of one engine call: forgotten when the call starts and when it ends, so that
// they never outlast the call (the next one chooses its alphabet and scoring afresh) nor add to
// the memory of the rest of the run.
class IdenticalRowPathsCall {
public:
    IdenticalRowPathsCall();
    ~IdenticalRowPathsCall();
    IdenticalRowPathsCall(const IdenticalRowPathsCall&) = delete;
    IdenticalRowPathsCall& operator=(const IdenticalRowPathsCall&) = delete;
};

// Off, every pair is aligned afresh and nothing is kept (for tests comparing both ways). Both
// switches forget the kept paths.
void SetIdenticalRowPathsEnabled(bool enabled);
// How many alignments were answered from the kept paths since the last switch.
unsigned long IdenticalRowPathReuses();
