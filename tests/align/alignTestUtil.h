// Helpers of the profile, dynamic-programming and refinement tests: protein scoring set-up,
// random sequences and alignments from a printed seed, and rows as text.
#pragma once

#include <random>
#include <string>
#include <vector>

#include "align/enums.h"
#include "align/scoringSetup.h"
#include "tests/align/engineTestUtil.h"

class MSA;
struct ProfPos;

// The amino alphabet with the default (LE) scoring.
void SetUpProteinScoring();

// A clean engine set up for protein (SetUpProteinScoring) with sequence weighting by Method.
template <SEQWEIGHT Method>
class ProteinScoringTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        SetUpProteinScoring();
        SetSeqWeightMethod(Method);
    }
};

// The seed of a randomised test: defaultSeed unless QUORIX_TEST_SEED is set. Tests print it
// with their failures (SCOPED_TRACE).
unsigned TestSeed(unsigned defaultSeed);
// Random residues (the 20 amino acids).
std::string RandomProtein(std::mt19937& rng, unsigned length);
// The sequence with point substitutions (a fraction of positions), deletions and insertions.
std::string Mutate(std::mt19937& rng, const std::string& s, double substitutions, unsigned indels);
// A family of count sequences: one random protein of the given length, put through
// Mutate(substitutions, indels) for each member; all drawn from a generator seeded with seed.
std::vector<std::string> ProteinFamily(unsigned seed, unsigned count, unsigned length, double substitutions,
                                       unsigned indels);
// Rows of the given length, each position a gap with probability gapFraction.
std::vector<std::string> RandomRows(std::mt19937& rng, unsigned rows, unsigned length, double gapFraction);

// The row's characters, and the row without gaps, upper-cased.
std::string RowText(const MSA& a, unsigned row);
std::string Ungapped(const MSA& a, unsigned row);

// Every computed field of two profiles agrees within a float tolerance (gtest failures, where
// AssertProfsEq would end the process).
void ExpectProfilesNear(const ProfPos* a, const ProfPos* b, unsigned length);
