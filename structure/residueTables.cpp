// Residue and atom-type tables of cPDBAtom: residue classes, one-letter codes and the two
// sets of atom types (one per scoring function that types protein atoms).
#include <iterator>

#include "structure/cPDBAtom.h"

namespace {

struct sResTypeRow {
  const char* residue;
  PDBResType::eResType type;
};
struct sResCodeRow {
  const char* residue;
  char code;
};
// table: 0 mResName (residue name + atom name), 1 mName, 2 mNameTerm.
struct sAtomTypeRow {
  int table;
  const char* key;
  int type;
};

using namespace PDBResType;

constexpr sResTypeRow kResTypes[] = {
    {"ALA", eALA}, {"ARG", eARG}, {"ASN", eASN}, {"ASP", eASP}, {"CYS", eCYS}, {"GLU", eGLU}, {"GLN", eGLN},
    {"GLY", eGLY}, {"HIS", eHIS}, {"HSE", eHIS}, {"ILE", eILE}, {"LEU", eLEU}, {"LYS", eLYS}, {"MET", eMET},
    {"PHE", ePHE}, {"PRO", ePRO}, {"SER", eSER}, {"THR", eTHR}, {"TRP", eTRP}, {"TYR", eTYR}, {"VAL", eVAL},
    {"MSE", eMSE}, {"ACE", eACE},
    // water, under the names that simulation packages give it
    {"HOH", eWater}, {"WAT", eWater}, {"TIP", eWater}, {"TIP3", eWater}, {"TIP4", eWater}, {"TIP3P", eWater},
    {"TIP4P", eWater}, {"SOL", eWater},
    {"DA", eNucleic}, {"DC", eNucleic}, {"DG", eNucleic}, {"DT", eNucleic},
    {"G", eNucleic}, {"C", eNucleic}, {"A", eNucleic}, {"U", eNucleic},
    {"CA", eIon}, {"NA", eIon}, {"CL", eIon}, {"K", eIon}, {"MG", eIon}, {"ZN", eIon},
};
static_assert(std::size(kResTypes) == 45);

// MSE and ACE have no letter (their chains show a gap there); SEC has a letter but no class.
constexpr sResCodeRow kResCodes[] = {
    {"ARG", 'R'}, {"HIS", 'H'}, {"HSE", 'H'}, {"LYS", 'K'}, {"ASP", 'D'}, {"GLU", 'E'}, {"SER", 'S'}, {"THR", 'T'},
    {"ASN", 'N'}, {"GLN", 'Q'}, {"CYS", 'C'}, {"SEC", 'U'}, {"GLY", 'G'}, {"PRO", 'P'}, {"ALA", 'A'}, {"VAL", 'V'},
    {"ILE", 'I'}, {"LEU", 'L'}, {"MET", 'M'}, {"PHE", 'F'}, {"TYR", 'Y'}, {"TRP", 'W'},
};
static_assert(std::size(kResCodes) == 22);

// Atom types of the knowledge-based ITScore potential, rows by type number.
constexpr sAtomTypeRow kITScore[] = {
    {0, "HOHO", 0}, {0, "WATO", 0}, {0, "TIPO", 0}, {0, "SOLO", 0}, {0, "H2OO", 0}, {0, "TIPOH2", 0},
    {0, "ARGCZ", 1},
    {0, "ASPCG", 2}, {0, "GLUCD", 2},
    {0, "ACEC", 3},
    {0, "ASNCG", 4}, {0, "GLNCD", 4},
    {0, "HISCD2", 5}, {0, "HISCE1", 5}, {0, "HISCG", 5}, {0, "PHECD1", 5}, {0, "PHECD2", 5}, {0, "PHECE1", 5},
    {0, "PHECE2", 5}, {0, "PHECG", 5}, {0, "PHECZ", 5}, {0, "TRPCD1", 5}, {0, "TRPCD2", 5}, {0, "TRPCE2", 5},
    {0, "TRPCE3", 5}, {0, "TRPCG", 5}, {0, "TRPCH2", 5}, {0, "TRPCZ2", 5}, {0, "TRPCZ3", 5}, {0, "TYRCD1", 5},
    {0, "TYRCD2", 5}, {0, "TYRCE1", 5}, {0, "TYRCE2", 5}, {0, "TYRCG", 5}, {0, "TYRCZ", 5},
    {0, "ALACB", 6}, {0, "ARGCB", 6}, {0, "ARGCG", 6}, {0, "ASNCB", 6}, {0, "ASPCB", 6}, {0, "GLNCB", 6},
    {0, "GLNCG", 6}, {0, "GLUCB", 6}, {0, "GLUCG", 6}, {0, "HISCB", 6}, {0, "ILECB", 6}, {0, "ILECD1", 6},
    {0, "ILECG1", 6}, {0, "ILECG2", 6}, {0, "LEUCB", 6}, {0, "LEUCD1", 6}, {0, "LEUCD2", 6}, {0, "LEUCG", 6},
    {0, "LYSCB", 6}, {0, "LYSCD", 6}, {0, "LYSCG", 6}, {0, "METCB", 6}, {0, "MSECB", 6}, {0, "PHECB", 6},
    {0, "PROCB", 6}, {0, "PROCG", 6}, {0, "SERCB", 6}, {0, "THRCG2", 6}, {0, "TRPCB", 6}, {0, "TYRCB", 6},
    {0, "VALCB", 6}, {0, "VALCG1", 6}, {0, "VALCG2", 6}, {0, "ACECH3", 6},
    {0, "ARGCD", 8}, {0, "CYSCB", 8}, {0, "LYSCE", 8}, {0, "METCE", 8}, {0, "MSECE", 8}, {0, "METCG", 8},
    {0, "MSECG", 8}, {0, "PROCD", 8}, {0, "THRCB", 8},
    {0, "ASNND2", 10}, {0, "GLNNE2", 10},
    {0, "HISND1", 11}, {0, "HISNE2", 11}, {0, "TRPNE1", 11},
    {0, "ARGNH1", 12}, {0, "ARGNH2", 12},
    {0, "ARGNE", 13},
    {0, "LYSNZ", 14},
    {0, "ACEO", 15},
    {0, "ASNOD1", 16}, {0, "GLNOE1", 16},
    {0, "SEROG", 17}, {0, "THROG1", 17}, {0, "TYROH", 17},
    {0, "ASPOD1", 18}, {0, "ASPOD2", 18}, {0, "GLUOE1", 18}, {0, "GLUOE2", 18},
    {0, "CYSSG", 19},
    {0, "METSD", 20}, {0, "MSESE", 20},
    {1, "C", 3}, {1, "CA", 7}, {1, "N", 9}, {1, "O", 15},
    {2, "C", 2}, {2, "CA", 7}, {2, "N", 10}, {2, "O", 18}, {2, "OXT", 18}, {2, "OT2", 18},
};
static_assert(std::size(kITScore) == 110);

// The finer second set of atom types, rows by type number.
constexpr sAtomTypeRow kVersion2[] = {
    {0, "HOHO", 0}, {0, "WATO", 0}, {0, "TIPO", 0}, {0, "SOLO", 0}, {0, "H2OO", 0}, {0, "TIPOH2", 0},
    {0, "ARGCZ", 1},
    {0, "ASPCG", 2},
    {0, "GLUCD", 3},
    {0, "ACECH3", 4},
    {0, "ACEC", 5},
    {0, "ASNCG", 6},
    {0, "GLNCD", 7},
    {0, "HISCD2", 8}, {0, "HISCE1", 8}, {0, "HISCG", 8},
    {0, "PHECD1", 9}, {0, "PHECD2", 9}, {0, "PHECE1", 9}, {0, "PHECE2", 9}, {0, "PHECG", 9}, {0, "PHECZ", 9},
    {0, "TRPCD1", 10}, {0, "TRPCD2", 10}, {0, "TRPCE2", 10}, {0, "TRPCE3", 10}, {0, "TRPCG", 10},
    {0, "TRPCH2", 10}, {0, "TRPCZ2", 10}, {0, "TRPCZ3", 10},
    {0, "TYRCD1", 11}, {0, "TYRCD2", 11}, {0, "TYRCE1", 11}, {0, "TYRCE2", 11}, {0, "TYRCG", 11}, {0, "TYRCZ", 11},
    {0, "ALACB", 12}, {0, "ARGCB", 12}, {0, "ASNCB", 12}, {0, "ASPCB", 12}, {0, "GLNCB", 12}, {0, "GLUCB", 12},
    {0, "HISCB", 12}, {0, "ILECB", 12}, {0, "LEUCB", 12}, {0, "LYSCB", 12}, {0, "METCB", 12}, {0, "MSECB", 12},
    {0, "PHECB", 12}, {0, "SERCB", 12}, {0, "TRPCB", 12}, {0, "TYRCB", 12}, {0, "VALCB", 12},
    {0, "ARGCG", 13}, {0, "GLNCG", 13}, {0, "GLUCG", 13}, {0, "ILECG1", 13}, {0, "ILECG2", 13}, {0, "LEUCG", 13},
    {0, "LYSCG", 13}, {0, "THRCG2", 13}, {0, "VALCG1", 13}, {0, "VALCG2", 13},
    {0, "ILECD1", 14}, {0, "LEUCD1", 14}, {0, "LEUCD2", 14}, {0, "LYSCD", 14},
    {0, "PROCB", 15}, {0, "PROCG", 15},
    {0, "PROCD", 16},
    {0, "GLYCA", 18},
    {0, "CYSCB", 19}, {0, "THRCB", 19},
    {0, "METCG", 20}, {0, "MSECG", 20},
    {0, "ARGCD", 21},
    {0, "LYSCE", 22}, {0, "METCE", 22}, {0, "MSECE", 22},
    {0, "ASNND2", 24},
    {0, "GLNNE2", 25},
    {0, "HISND1", 27}, {0, "HISNE2", 27},
    {0, "TRPNE1", 28},
    {0, "ARGNH1", 29}, {0, "ARGNH2", 29},
    {0, "ARGNE", 30},
    {0, "LYSNZ", 31},
    {0, "ACEO", 32},
    {0, "ASNOD1", 33},
    {0, "GLNOE1", 34},
    {0, "SEROG", 35}, {0, "THROG1", 35},
    {0, "TYROH", 36},
    {0, "ASPOD1", 37}, {0, "ASPOD2", 37},
    {0, "GLUOE1", 38}, {0, "GLUOE2", 38},
    {0, "CYSSG", 40},
    {0, "METSD", 41}, {0, "MSESE", 41},
    {1, "C", 5}, {1, "CA", 17}, {1, "N", 23}, {1, "O", 32},
    {2, "C", 4}, {2, "CA", 17}, {2, "N", 26}, {2, "O", 39}, {2, "OXT", 39}, {2, "OT2", 39},
};
static_assert(std::size(kVersion2) == 111);

// Assigns in row order, so a later filler overwrites the keys both share and adds its own.
template <std::size_t N>
void assignAtomTypes(const sAtomTypeRow (&rows)[N]) {
  cPDBAtom::tTable<int>* tables[] = {&cPDBAtom::mResName, &cPDBAtom::mName, &cPDBAtom::mNameTerm};
  for (const sAtomTypeRow& row : rows) (*tables[row.table])[row.key] = row.type;
}

}  // namespace

void cPDBAtom::initMaps() {
  for (const sResTypeRow& row : kResTypes) mResType[row.residue] = row.type;
}

void cPDBAtom::initResCodes() {
  for (const sResCodeRow& row : kResCodes) resCode[row.residue] = row.code;
}

void cPDBAtom::initAtomTypesITScore() { assignAtomTypes(kITScore); }

void cPDBAtom::initAtomTypesVersion2() { assignAtomTypes(kVersion2); }
