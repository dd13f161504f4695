// Helpers of the guide-tree tests: trees from Newick text, trees as text, small inputs.
#pragma once

#include <string>
#include <vector>

#include "tests/align/engineTestUtil.h"

class DistFunc;
class MSA;
class SeqVect;
class Tree;

// Reads the Newick text into tree (through a temporary file).
void TreeFromNewick(const std::string& text, Tree& tree);
// The same, and each leaf, named s<id> as MakeSeqVect names the sequences, gets that id.
void TreeFromNewickWithIds(const std::string& text, Tree& tree);
// The tree as Tree::ToFile writes it.
std::string NewickOf(const Tree& tree);
// The tree's shape with leaf names, children in slot order, lengths omitted:
// "((A,B),C)". A rooted tree is read from its root, an unrooted one from its node 0.
std::string ShapeOf(const Tree& tree);
// Every bipartition of the leaf names into two sides of at least two leaves that an edge
// makes, as sorted "A,B|C,D" strings with the side holding the smallest name first;
// independent of node numbering and rooting.
std::vector<std::string> SplitsOf(const Tree& tree);

// A rooted tree built with Tree::Create: leaves A, B, C (0, 1, 2); node 3 joins A and B
// (lengths 0.1 and 0.1), the root 4 joins C (0.35) and node 3 (0.25).
void CreateThreeLeaves(Tree& tree);

// Sequences named s0, s1, ... with ids 0, 1, ... (the id count must allow them).
void MakeSeqVect(SeqVect& v, const std::vector<std::string>& letters);
// An alignment of equal-length rows named r0, r1, ...; ids when given.
void MakeMSA(MSA& a, const std::vector<std::string>& rows, const std::vector<unsigned>& ids = {});

// One clustering case of tests/data/align (see the README there).
struct ClusterCase {
    std::string name;
    std::string method;
    unsigned n = 0;
    std::vector<std::vector<double>> dist;
    // Each join: its distance and its sorted leaves (scipy cases).
    std::vector<std::pair<double, std::vector<unsigned>>> merges;
    // Leaf-to-leaf path lengths (neighbour-joining cases).
    std::vector<std::vector<double>> pathLengths;
};
std::vector<ClusterCase> ReadClusterCases(const std::string& fileName);

// Every internal node of a rooted tree as (2 x height, sorted leaf ids), sorted: comparable with
// the merges of a ClusterCase.
std::vector<std::pair<double, std::vector<unsigned>>> JoinsOf(const Tree& tree);
// Expects tree's joins to have exactly the leaf sets of the case's merges, at their distances.
void ExpectSameJoins(const Tree& tree, const ClusterCase& c, double tolerance);
// A DistFunc holding the case's matrix, rows named L0, L1, ... with ids 0, 1, ...
void FillDistFunc(const ClusterCase& c, DistFunc& df);
// Leaf-to-leaf path lengths, indexed by leaf id (ids 0 .. L-1).
std::vector<std::vector<double>> PathLengthsOf(const Tree& tree);

// The statement ends the process with status 2 after a Quit message that starts with prefix
// (for messages that end in a temporary file's name).
#define EXPECT_QUIT_PREFIX(statement, prefix) \
    EXPECT_EXIT(statement, ::testing::ExitedWithCode(2), Escaped("\n*** ERROR ***  " + std::string(prefix)))
