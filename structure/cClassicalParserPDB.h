// cClassicalParserPDB: reads a PDB or PQR file into atoms, chain segments and crystal data.
#pragma once

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "crystal/cCrystallography.h"
#include "geometry/cSpatialTransform.h"
#include "geometry/cVector3.h"
#include "structure/cPDBAtom.h"
#include "structure/cPDBSegment.h"
#include "structure/cPeriodicTable.h"
#include "structure/cSequence.h"

// The whole file is read into memory once (a pipe too, in one pass); readFile counts atom
// records and chains so that the caller can size its arrays, parseFields fills them. Records
// are read by fixed columns; columns past the end of a line (or of the file) read as blanks,
// and a CR before the line end is no part of the line. A file that cannot be read, and an atom
// record that parseFields reads with a coordinate that is not one finite number over its whole
// field or a NUL byte as its chain, end the process with status 1.
class cClassicalParserPDB {
public:
  // Line codes of the classifier.
  enum eLineCode {
    eRemark = 1, eAtom = 2, eHetatm = 3, eOther = 5, eEnd = 6, eBufferEnd = 7, eCryst1 = 8,
    eTer = 10, eMissingResidue = 13, eOrigx = 14, eEndmdl = 15, eModel = 16,
  };
  // How chains are delimited.
  enum eChainSeparator { eChainIdOrTer = 0, eTerOnly = 1, eEndmdlOnly = 2 };
  enum eMode { ePDB = 0, ePQR = 1, eOtherMode = 3 };
  // What a file must be, told with every refusal of its content.
  static constexpr const char* kFormatsRead =
      "quorix reads PDB text (and PQR in PDB columns), not mmCIF or compressed files";

  int keptAtoms = 0;     // atoms written by parseFields
  int segmentCount = 0;  // segments written by parseFields
  int waterAtoms = 0;    // non-hydrogen water atoms met by parseFields (never kept)
  // ATOM and HETATM records before END, kept or not, counted by readFile: the atom count of a
  // trajectory written for this file.
  int atomRecords = 0;
  cCrystallography crystal;  // the CRYST1 record
  bool atomsAfterEnd = false;  // an atom record follows the END record
  int mode = ePDB;  // from the file name's extension
  std::map<unsigned, cSequence> sequences;  // per chain character
  cSpatialTransform origx;  // rows of ORIGX1-3; identity and zero until read

  cClassicalParserPDB();

  // First pass: opens and reads the file, counts atom records (nAtoms) and chains (nChains).
  // Returns the code of the last line examined.
  int readFile(const std::string& path, int& nChains, int& nAtoms, int separator, int hetatm);

  // Second pass into arrays of at least nChains segments and nAtoms atoms, as counted by
  // readFile (never more is written). Lines read while the latest atom record's chain is
  // skipChain are ignored, unless it is ' '.
  void parseFields(cPDBSegment* segments, cPDBAtom* atoms, bool aminoOrNucleicOnly, char skipChain);
  // The same into vectors, sized to the counts of readFile and cut to what was kept.
  void parseFields(std::vector<cPDBSegment>& segments, std::vector<cPDBAtom>& atoms, bool aminoOrNucleicOnly,
                   char skipChain);

  // Classifies the line at the cursor without moving it. For ATOM and HETATM records it
  // returns the residue number and chain, and for ATOM records the residue name (columns
  // 18-20) and the trimmed atom name; an ORIGXn record stores its row.
  int readPDBLine(const char* buffer, long cursor, long size, int& residueNumber, char& chain,
                  std::string& residueName, std::string& atomName);
  // The same classification without fields and without storing ORIGX rows; prints
  // "Missing Residues:" at the header of the missing-residue remarks.
  int readPDBLine(const char* buffer, long cursor, long size);

  // Fills one atom from an ATOM/HETATM line of the given length (without its line end). A
  // coordinate that is not one finite number within the single-precision range over its whole
  // field (cut short by the line's end, blank or holding other text) reads as NaN.
  int readPDBRecordFields(const char* line, cPDBAtom* atom, long length) const;
  void readCrystRecordFields(const char* line, long length);
  void readMissResRecordFields(const char* line, long length);  // one REMARK 465 residue

  static int readPDBCoords(const char* line, cVector3& coords, long length);  // columns 31-54
  // Both remove blanks at both ends of text[0, length) in place (NUL-terminating it when it
  // shrinks). The first returns the remaining length, the second the leading blanks removed.
  static int deleteSpacesInAString(char* text, int length);
  static int deleteSpacesInAString2(char* text, int length);

private:
  struct sLine;
  static sLine lineIn(const char* text, long textSize, long at);
  int classify(const sLine& line, bool readOrigx, bool announceMissing, int* residueNumber, char* chain,
               std::string* residueName, std::string* atomName);
  void loadFile(const std::string& path);
  void loadStream(std::FILE* file);  // the rest of loadFile for a file without a size
  // The second pass; slot(k) is the atom to fill as the k-th kept one (k < countedAtoms).
  template <class Slot>
  void parseInto(cPDBSegment* segments, Slot&& slot, bool aminoOrNucleicOnly, char skipChain);

  std::string path;         // of the file read, for messages
  long cursor = 0;          // offset of the current line in the buffer
  int missingHeaderSeen = 0;  // the "REMARK 465   M RES C SSSEQI" header was read
  cPeriodicTable elements;
  std::unique_ptr<char[]> buffer;  // the whole file, not NUL-terminated
  long size = 0;
  int chainSeparator = eChainIdOrTer;
  int readHetatm = 0;
  int countedChains = 0;  // the counts of readFile: capacities of parseFields' arrays
  int countedAtoms = 0;
};
