// cAlignement: matching the residues of chains through a multiple sequence alignment, so that
// every chain of a list keeps the same number of corresponding (aligned) residues and CA atoms.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class cInfo;
class cMolecule;
class cParameters;
class MSA;

class cAlignement {
public:
    cAlignement(cInfo* report, cParameters* parameters);
    ~cAlignement();
    cAlignement(const cAlignement&) = delete;
    cAlignement& operator=(const cAlignement&) = delete;

    // Aligns the chains' sequences and keeps, in every chain, the residues of the accepted
    // columns: columns without a gap whose mean BLOSUM62 score over all row pairs is 0 or more.
    // Each chain's aligned-residue list and aligned atoms (CA only) are replaced. A chain may
    // stand twice in the list (a chain compared with itself). A list of one chain aligns nothing.
    void align(std::vector<cMolecule*>& chains);
    // The matching alone: for each chain of the list (after the alignment dropped those without
    // a known residue), the residue ordinals of the accepted columns in column order. The
    // chains are left as they are.
    std::vector<std::vector<unsigned>> matchResidues(std::vector<cMolecule*>& chains);
    // Pairwise variant: a column is accepted when both characters are residues scoring 1 or
    // more; prints the gap count of the alignment.
    void align(cMolecule& a, cMolecule& b);
    // The held alignment in blocks of `width` columns, rows in sequence-id order, each block
    // followed by a conservation line ('*' mean pair score 4 or more, '.' 0 or more).
    void print(int width) const;

    const MSA* getAlignment() const { return alignment.get(); }

    cInfo* report;            // not owned
    cParameters* parameters;  // not owned

private:
    std::unique_ptr<MSA> alignment;
    // Accepted residues of two-row alignments by their rows: chain matching aligns every ordered
    // pair of chains, and in an assembly of identical chains nearly every pair's rows repeat.
    std::unordered_map<std::string, std::vector<std::vector<unsigned>>> pairMatches;
};
