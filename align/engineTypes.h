// Scalar types and marker values shared by every stage of the alignment engine.
#pragma once

// Scores, weights and probabilities are single precision throughout the engine; keep literals
// in float (1.0f) where they meet these types so that arithmetic is not widened to double.
typedef float SCORE;
typedef float WEIGHT;
typedef float PROB;
typedef float FCOUNT;

// A missing tree neighbour, an unset id slot or the end of a walk.
constexpr unsigned NO_INDEX = 0xFFFFFFFFu;
// An unset sequence id, node index or cluster link.
constexpr unsigned uInsane = 8888888u;
// An unset float weight, length, height or threshold.
constexpr float BTInsane = -9e29f;
// The engine's minus infinity; as a column gap score it forbids opening or closing a gap.
constexpr SCORE MINUS_INFINITY = -1e37f;

// Letter numbers: 20 amino acids (4 nucleotides), wildcards above them, gaps at 23.
constexpr unsigned MAX_ALPHA = 20;
constexpr unsigned MAX_ALPHA_EX = 24;
constexpr unsigned AX_GAP = 23;
