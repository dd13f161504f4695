// cPDBAtom: one atom record of a PDB or PQR file, its residue classes and its PDB line.
#pragma once

#include <cstdio>
#include <functional>
#include <iosfwd>
#include <map>
#include <string>
#include <string_view>

#include "geometry/cVector3.h"

namespace PDBResType {
// Residue classes: 1-22 one number per amino-acid residue, then water, nucleotide and ion.
// 0 is a name outside the table; there is no 23.
enum eResType {
  eUnknown = 0,
  eALA = 1, eARG, eASN, eASP, eCYS, eGLU, eGLN, eGLY, eHIS, eILE, eLEU,
  eLYS, eMET, ePHE, ePRO, eSER, eTHR, eTRP, eTYR, eVAL, eMSE, eACE = 22,
  eWater = 24,
  eNucleic = 25,
  eIon = 26,
};
}  // namespace PDBResType

// Every field starts with a defined value; the text fields are strings, so no input length
// can overrun them. Copies (construction and assignment alike) carry every field.
class cPDBAtom {
public:
  // Transparent comparison: lookups take a string_view without building a string.
  template <class V>
  using tTable = std::map<std::string, V, std::less<>>;

  cVector3 position{0.0};  // Å; the reader stores each coordinate rounded to float
  float mass = 1.0f;       // u, from the element table; 1 for an unknown element
  int type = -1;           // atom-type number from setType; -1 when no table gives one
  int recordKind = 0;      // 0 ATOM, 1 HETATM
  int index = 0;           // slot in the reader's array of kept atoms
  int serial = 0;          // columns 7-11
  // Position (from 0) of the atom's record among the file's ATOM and HETATM records, those the
  // reader skips included: the atom's slot in a trajectory frame of the same system. -1 for an
  // atom that no file gave.
  int recordOrdinal = -1;
  std::string name;        // columns 13-16, blanks removed at both ends
  std::string residueName;  // columns 18-20 as they stand (not trimmed)
  PDBResType::eResType residueType = PDBResType::eUnknown;
  char chain = ' ';              // column 22
  std::string segmentId;         // columns 73-76 trimmed; empty for a shorter line
  int residueNumber = 0;         // columns 23-26
  char insertionCode = ' ';      // column 27
  char alternateLocation = ' ';  // column 17
  std::string element;           // "C", "Fe": first letter upper case, second lower case
  float occupancy = 0.0f;          // columns 55-60 of a PDB line; 0 for PQR and short lines
  float temperatureFactor = 0.0f;  // columns 61-66 of a PDB line; 0 for PQR and short lines
  float radius = 1.0f;             // Å, from the element table; 1 for an unknown element
  float scale = 1.0f;
  int segmentIndex = 0;  // number (from 0) of the reader's segment holding the atom
  float pqrCharge = 0.0f;  // columns 55-60 of a PQR line
  float pqrRadius = 0.0f;  // columns 61-66 of a PQR line

  cPDBAtom() = default;
  explicit cPDBAtom(const cPDBAtom* other);  // a copy of *other (a default atom for null)
  cPDBAtom(const cPDBAtom&) = default;
  cPDBAtom(cPDBAtom&&) = default;
  cPDBAtom& operator=(const cPDBAtom&) = default;
  cPDBAtom& operator=(cPDBAtom&&) = default;
  virtual ~cPDBAtom() = default;

  virtual cPDBAtom* derived();

  // Value of mResType for the name with blanks and tabs removed at both ends; 0 when absent.
  static PDBResType::eResType findResType(std::string_view residueName);

  bool isAMINO() const;    // residue type 1..22
  bool isNucleic() const;  // residue type 25
  bool isWater() const;    // the residue name as stored maps to 24
  bool isWaterOxygen() const;
  // Element beginning with 'H'. This also takes Hg, He, Ho and Hf for hydrogen, and the
  // reader drops those atoms with the hydrogens; results of earlier runs depend on it.
  bool isHydrogen() const;
  bool isCA() const;  // name "CA" in an amino-acid residue (not a calcium ion "CA")
  bool isBackbone() const;
  bool isSidechain() const;
  char getResCode() const;  // one-letter code of the residue name as stored; 'x' when none

  // Atom type from the residue+atom name table, else (by atom name) from the terminal or
  // non-terminal table as the flags select, else -1.
  void setType(std::string_view residueName, std::string_view atomName, bool terminal, bool byAtomName);

  // Writes the atom as one PDB ATOM/HETATM line; returns what fprintf returns.
  int toFile(std::FILE* out) const;

  static void initMaps();      // mResType
  static void initResCodes();  // resCode
  static void initAtomTypesITScore();
  static void initAtomTypesVersion2();

  static tTable<PDBResType::eResType> mResType;
  static tTable<char> resCode;
  static tTable<int> mResName;   // residue name + atom name ("ARGCZ") to atom type
  static tTable<int> mName;      // atom name to atom type, non-terminal residues
  static tTable<int> mNameTerm;  // atom name to atom type, terminal residues
};

int writeLinePDB(std::FILE* out, cPDBAtom* atom);

// Debug form: a PDB-like line of at most 99 characters, without a line end. The pointer form
// first turns a NUL chain into a blank in the atom itself.
std::ostream& operator<<(std::ostream& os, const cPDBAtom& atom);
std::ostream& operator<<(std::ostream& os, cPDBAtom* atom);
