// Tests of cClassicalParserPDB: real files, chain rules, record columns and malformed input.
#include "structure/cClassicalParserPDB.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tests/structure/tempFile.h"

namespace {

const std::string kData = std::string(QUORIX_TEST_DATA) + "/structure/";

struct sResult {
  int code = 0, nChains = 0, nAtoms = 0;
  std::vector<cPDBSegment> segments;
  std::vector<cPDBAtom> atoms;
};

struct sOptions {
  int separator = 0;
  int hetatm = 0;
  char skipChain = ' ';
  bool aminoOrNucleicOnly = false;
};

// Both passes, into arrays of exactly the counted sizes so that the sanitizer build catches
// any write past them.
sResult readPath(cClassicalParserPDB& reader, const std::string& path, sOptions options = {}) {
  sResult r;
  r.code = reader.readFile(path, r.nChains, r.nAtoms, options.separator, options.hetatm);
  auto segments = std::make_unique<cPDBSegment[]>(static_cast<std::size_t>(std::max(r.nChains, 0)));
  auto atoms = std::make_unique<cPDBAtom[]>(static_cast<std::size_t>(std::max(r.nAtoms, 0)));
  reader.parseFields(segments.get(), atoms.get(), options.aminoOrNucleicOnly, options.skipChain);
  EXPECT_LE(reader.segmentCount, r.nChains);
  EXPECT_LE(reader.keptAtoms, r.nAtoms);
  r.segments.assign(segments.get(), segments.get() + reader.segmentCount);
  r.atoms.assign(atoms.get(), atoms.get() + reader.keptAtoms);
  return r;
}

sResult readText(cClassicalParserPDB& reader, const std::string& text, sOptions options = {},
                 const std::string& extension = "pdb") {
  const cTempFile file(text, extension);
  return readPath(reader, file.path(), options);
}

// An 80-column ATOM/HETATM line; name as it stands in columns 13-16.
std::string atomLine(const char* record, int serial, const char* name, const char* residue, char chain, int number,
                     double x = 1.0, double y = 2.0, double z = 3.0, const char* element = "", char altLoc = ' ') {
  char line[128];
  std::snprintf(line, sizeof line, "%-6s%5d %-4s%c%3s %c%4d    %8.3f%8.3f%8.3f%6.2f%6.2f          %2s  \n", record,
                serial, name, altLoc, residue, chain, number, x, y, z, 1.0, 20.0, element);
  return line;
}

std::string atom(int serial, const char* name, const char* residue, char chain, int number, const char* element = "",
                 char altLoc = ' ') {
  return atomLine("ATOM", serial, name, residue, chain, number, 1.0, 2.0, 3.0, element, altLoc);
}

std::string sequenceOf(const cPDBSegment& segment) {
  std::string s;
  for (const auto& [number, letter] : segment.residues) s += letter;
  return s;
}

std::vector<int> atomCounts(const sResult& r) {
  std::vector<int> counts;
  for (const cPDBSegment& s : r.segments) counts.push_back(s.atomCount);
  return counts;
}

void expectSameAtoms(const std::vector<cPDBAtom>& a, const std::vector<cPDBAtom>& b) {
  ASSERT_EQ(a.size(), b.size());
  for (std::size_t i = 0; i < a.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(a[i].serial, b[i].serial);
    EXPECT_EQ(a[i].name, b[i].name);
    EXPECT_EQ(a[i].residueName, b[i].residueName);
    EXPECT_EQ(a[i].position, b[i].position);
    EXPECT_EQ(a[i].occupancy, b[i].occupancy);
    EXPECT_EQ(a[i].temperatureFactor, b[i].temperatureFactor);
    EXPECT_EQ(a[i].segmentId, b[i].segmentId);
    EXPECT_EQ(a[i].element, b[i].element);
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Real files (expected numbers checked with gemmi and a separate script; see tests/data)

TEST(cClassicalParserPDB, ReadsCrambin) {
  cClassicalParserPDB reader;
  const sResult r = readPath(reader, kData + "1crn.pdb");
  EXPECT_EQ(r.nChains, 1);
  EXPECT_EQ(r.nAtoms, 327);
  ASSERT_EQ(r.segments.size(), 1u);
  EXPECT_EQ(r.atoms.size(), 327u);
  EXPECT_EQ(r.segments[0].firstAtom, 0);
  EXPECT_EQ(r.segments[0].atomCount, 327);
  EXPECT_EQ(r.segments[0].firstResidue, 1);
  EXPECT_EQ(r.segments[0].lastResidue, 46);
  EXPECT_EQ(sequenceOf(r.segments[0]), "TTCCPSIVARSNFNVCRLPGTPEAICATYTGCIIIPGATCPGDYAN");
  EXPECT_FALSE(reader.atomsAfterEnd);

  const cPDBAtom& first = r.atoms[0];  // ATOM      1  N   THR A   1      17.047  14.099   3.625  1.00 13.79           N
  EXPECT_EQ(first.serial, 1);
  EXPECT_EQ(first.name, "N");
  EXPECT_EQ(first.residueName, "THR");
  EXPECT_EQ(first.residueType, PDBResType::eTHR);
  EXPECT_EQ(first.chain, 'A');
  EXPECT_EQ(first.position, cVector3(17.047f, 14.099f, 3.625f));  // single precision
  EXPECT_FLOAT_EQ(first.occupancy, 1.0f);
  EXPECT_FLOAT_EQ(first.temperatureFactor, 13.79f);
  EXPECT_EQ(first.element, "N");
  EXPECT_FLOAT_EQ(first.radius, 1.55f);
  EXPECT_FLOAT_EQ(first.mass, 14.0067f);
  EXPECT_EQ(first.recordKind, 0);
  EXPECT_EQ(r.atoms[326].index, 326);

  // CRYST1   40.960   18.650   22.520  90.00  90.77  90.00 P 1 21 1      2
  const cCrystallography& crystal = reader.crystal;
  EXPECT_TRUE(crystal.cellRead);
  EXPECT_EQ(crystal.cellLengths, cVector3(40.96, 18.65, 22.52));
  EXPECT_DOUBLE_EQ(crystal.cellAngles.y, 90.77 * 0.017453292519943295);
  EXPECT_EQ(crystal.spaceGroupText(), "P 1 21 1   ");
  EXPECT_EQ(crystal.cellVectors[0], cVector3(40.96, 0, 0));
  EXPECT_NEAR(crystal.cellVectors[1].x, 0.0, 1e-12);
  EXPECT_DOUBLE_EQ(crystal.cellVectors[1].y, 18.65);
  EXPECT_NEAR(crystal.cellVectors[2].norm(), 22.52, 1e-12);
  EXPECT_NEAR(crystal.cellVectors[2].y, 0.0, 1e-12);
  EXPECT_LT(crystal.cellVectors[2].x, 0.0);  // beta above 90 degrees
  for (int i = 0; i < 9; ++i) EXPECT_EQ(reader.origx.rotation.m[i], i % 4 == 0 ? 1.0 : 0.0);
}

TEST(cClassicalParserPDB, ReadsProteaseDimer) {
  cClassicalParserPDB reader;
  const sResult r = readPath(reader, kData + "1k6p.pdb");
  EXPECT_EQ(r.nChains, 2);
  EXPECT_EQ(r.nAtoms, 1558);
  EXPECT_EQ(atomCounts(r), (std::vector<int>{773, 785}));
  EXPECT_EQ(r.segments[1].firstAtom, 773);
  // Alternate locations written as 1 and 2 sort below 'A', so both are kept; each residue
  // number enters the sequence once.
  EXPECT_EQ(r.segments[0].residues.size(), 99u);
  EXPECT_EQ(r.segments[1].residues.size(), 99u);
  EXPECT_EQ(sequenceOf(r.segments[0]).substr(0, 4), "PQIT");
  EXPECT_EQ(r.segments[1].firstResidue, 1);
  EXPECT_EQ(r.segments[1].lastResidue, 99);
  EXPECT_EQ(reader.waterAtoms, 0);  // the waters are HETATM records, not read
  EXPECT_EQ(r.atoms[800].segmentIndex, 1);
}

TEST(cClassicalParserPDB, ReadsHetatmWhenAsked) {
  cClassicalParserPDB reader;
  const sResult r = readPath(reader, kData + "1k6p.pdb", {.hetatm = 1});
  EXPECT_EQ(r.nAtoms, 1558 + 202);
  // After the two chains: ACT A | ACT B + XN3 B | HOH A | HOH B, split at each chain change.
  EXPECT_EQ(r.nChains, 6);
  EXPECT_EQ(atomCounts(r), (std::vector<int>{773, 785, 24, 60, 0, 0}));
  EXPECT_EQ(reader.waterAtoms, 118);
  EXPECT_EQ(r.atoms[1558].recordKind, 1);
  EXPECT_EQ(r.atoms[1558].residueName, "ACT");

  cClassicalParserPDB aminoOnly;
  const sResult amino = readPath(aminoOnly, kData + "1k6p.pdb", {.hetatm = 1, .aminoOrNucleicOnly = true});
  EXPECT_EQ(atomCounts(amino), (std::vector<int>{773, 785, 0, 0, 0, 0}));
}

TEST(cClassicalParserPDB, ReadsExcerptWithHydrogensAndMissingResidues) {
  cClassicalParserPDB reader;
  const sResult r = readPath(reader, kData + "5eil_excerpt.pdb");
  EXPECT_EQ(r.nChains, 2);
  EXPECT_EQ(r.nAtoms, 374);  // every ATOM record, hydrogens included
  EXPECT_EQ(atomCounts(r), (std::vector<int>{130, 31}));
  for (const cPDBAtom& a : r.atoms) {
    EXPECT_NE(a.element, "H");
    EXPECT_NE(a.alternateLocation, 'B');
  }
  // Residue 9 is a HETATM residue; residue 51 has locations A and B.
  EXPECT_EQ(sequenceOf(r.segments[0]), "MSKLGEMLIAVLKEIVK");
  EXPECT_EQ(r.segments[0].residues.count(9), 0u);
  EXPECT_EQ(sequenceOf(r.segments[1]), "MSKL");

  ASSERT_EQ(reader.sequences.count('A'), 1u);
  const cSequence& a = reader.sequences.at('A');
  EXPECT_EQ(a.missingResidues, (std::list<int>{158}));
  EXPECT_EQ(a.firstResidue, 0);
  EXPECT_TRUE(a.firstFromAtoms);
  EXPECT_EQ(a.offset, 1);
  EXPECT_EQ(a.lastResidue, 158);
  EXPECT_FALSE(a.lastFromAtoms);
  const cSequence& b = reader.sequences.at('B');
  EXPECT_TRUE(b.missingResidues.empty());
  EXPECT_EQ(b.lastResidue, 3);
  EXPECT_TRUE(b.lastFromAtoms);

  EXPECT_EQ(reader.crystal.spaceGroupText(), "P 1 21 1   ");
  EXPECT_DOUBLE_EQ(reader.crystal.cellAngles.y, 116.87 * 0.017453292519943295);
}

// ---------------------------------------------------------------------------------------------
// Line ends and truncation

TEST(cClassicalParserPDB, CrlfAndMissingFinalNewlineReadAsTheOriginal) {
  const std::string original = readWholeFile(kData + "5eil_excerpt.pdb");
  cClassicalParserPDB plainReader;
  const sResult plain = readText(plainReader, original);

  std::string crlf;
  for (char c : original) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  cClassicalParserPDB crlfReader;
  const sResult fromCrlf = readText(crlfReader, crlf);
  EXPECT_EQ(fromCrlf.nChains, plain.nChains);
  EXPECT_EQ(fromCrlf.nAtoms, plain.nAtoms);
  expectSameAtoms(fromCrlf.atoms, plain.atoms);
  EXPECT_EQ(crlfReader.crystal.spaceGroupText(), plainReader.crystal.spaceGroupText());
  EXPECT_EQ(crlfReader.sequences.at('A').missingResidues, plainReader.sequences.at('A').missingResidues);

  // The same atoms without TER/END at the end and without the final newline.
  std::string cut = original.substr(0, original.rfind("TER"));
  cut.pop_back();
  cClassicalParserPDB cutReader;
  const sResult fromCut = readText(cutReader, cut);
  EXPECT_EQ(fromCut.nChains, plain.nChains);
  EXPECT_EQ(fromCut.nAtoms, plain.nAtoms);
  expectSameAtoms(fromCut.atoms, plain.atoms);
}

TEST(cClassicalParserPDB, ShortLinesReadAsBlanks) {
  const std::string full = atom(1, " CA ", "ALA", 'A', 5, " C");  // 80 columns
  // A file's record cut before column 54 lacks a coordinate and is refused (see
  // CoordinateFieldsHoldOneNumberEach); the record reader itself reads blanks past its end, and
  // a coordinate it cuts as NaN.
  const std::vector<std::size_t> lengths = {11, 26, 40, 54, 55, 60, 66, 72, 73, 74, 76, 77};
  const std::size_t firstInFile = 3;
  for (const std::string& ending : {std::string("\n"), std::string("\r\n")}) {  // a CR is in no column
    std::string text;
    for (std::size_t i = firstInFile; i < lengths.size(); ++i) text += full.substr(0, lengths[i]) + ending;
    cClassicalParserPDB reader;
    sResult r = readText(reader, text);
    ASSERT_EQ(r.atoms.size(), lengths.size() - firstInFile);
    for (std::size_t i = 0; i < firstInFile; ++i) {
      r.atoms.insert(r.atoms.begin() + static_cast<long>(i), cPDBAtom());
      reader.readPDBRecordFields(full.data(), &r.atoms[i], static_cast<long>(lengths[i]));
    }
    for (std::size_t i = 0; i < lengths.size(); ++i) {
      SCOPED_TRACE(std::to_string(lengths[i]) + (ending.size() == 2 ? " CRLF" : " LF"));
      const cPDBAtom& a = r.atoms[i];
      const std::size_t n = lengths[i];
      EXPECT_EQ(a.residueName, n >= 20 ? "ALA" : "   ");
      EXPECT_EQ(a.residueNumber, n >= 26 ? 5 : 0);
      if (n >= 38) EXPECT_EQ(a.position.x, 1.0);
      else EXPECT_TRUE(std::isnan(a.position.x));
      if (n >= 54) EXPECT_EQ(a.position.z, 3.0);
      else EXPECT_TRUE(std::isnan(a.position.z));
      EXPECT_EQ(a.occupancy, n >= 60 ? 1.0f : 0.0f);  // a 54-column line has neither field
      EXPECT_EQ(a.temperatureFactor, n >= 66 ? 20.0f : 0.0f);
      EXPECT_EQ(a.segmentId, "");
      EXPECT_EQ(a.element, n >= 14 ? "C" : "");  // from the name until column 78 is there
    }
    EXPECT_EQ(r.atoms[0].name, "");  // an 11-column line has no name
  }

  // A line that ends in the middle of the buffer is no atom record when "ATOM " is cut.
  cClassicalParserPDB shortRecord;
  EXPECT_EQ(readText(shortRecord, "ATOM\nATOM\nREMARK\n").nAtoms, 0);
}

TEST(cClassicalParserPDB, PqrColumnsAndModes) {
  // A PQR line of 66 columns: charge in 55-60 and radius in 61-66.
  const std::string line = "ATOM      1  N   GLY A   1      -1.000   2.000  -3.000-0.300 1.824";
  ASSERT_EQ(line.size(), 66u);
  cClassicalParserPDB pqr;
  const sResult r = readText(pqr, line + "\n", {}, "Pqr");
  EXPECT_EQ(pqr.mode, cClassicalParserPDB::ePQR);
  ASSERT_EQ(r.atoms.size(), 1u);
  EXPECT_FLOAT_EQ(r.atoms[0].pqrCharge, -0.3f);
  EXPECT_FLOAT_EQ(r.atoms[0].pqrRadius, 1.824f);
  EXPECT_EQ(r.atoms[0].occupancy, 0.0f);
  EXPECT_EQ(r.atoms[0].temperatureFactor, 0.0f);

  cClassicalParserPDB pdb;
  const sResult asPdb = readText(pdb, line + "\n", {}, "PDB");
  EXPECT_EQ(pdb.mode, cClassicalParserPDB::ePDB);
  EXPECT_FLOAT_EQ(asPdb.atoms[0].occupancy, -0.3f);
  EXPECT_EQ(asPdb.atoms[0].pqrCharge, 0.0f);

  cClassicalParserPDB ent;
  readText(ent, line + "\n", {}, "ent");
  EXPECT_EQ(ent.mode, cClassicalParserPDB::eOtherMode);
}

// ---------------------------------------------------------------------------------------------
// Chain rules

TEST(cClassicalParserPDB, ChainSeparators) {
  const std::string twoChains = atom(1, " CA ", "ALA", 'A', 1) + atom(2, " CA ", "GLY", 'B', 1) + "END\n";
  cClassicalParserPDB byId;
  EXPECT_EQ(readText(byId, twoChains, {.separator = 0}).segments.size(), 2u);
  cClassicalParserPDB byTer;
  const sResult one = readText(byTer, twoChains, {.separator = 1});
  ASSERT_EQ(one.segments.size(), 1u);
  EXPECT_EQ(one.segments[0].atomCount, 2);
  EXPECT_EQ(one.segments[0].residues.size(), 1u);  // both CA are residue 1: the first wins
  EXPECT_EQ(one.segments[0].residues.at(1), 'A');

  // One chain id repeated, separated by TER.
  const std::string sameId = atom(1, " CA ", "ALA", 'A', 1) + "TER\n" + atom(2, " CA ", "GLY", 'A', 1) + "TER\n";
  cClassicalParserPDB repeated;
  EXPECT_EQ(atomCounts(readText(repeated, sameId)), (std::vector<int>{1, 1}));
}

TEST(cClassicalParserPDB, ModelsAndEndmdl) {
  std::string withTer, withoutTer, withEmptyModel;
  for (int model = 1; model <= 3; ++model) {
    const std::string atoms = atom(1, " N  ", "ALA", 'A', 1) + atom(2, " CA ", "ALA", 'A', 1);
    withTer += "MODEL        " + std::to_string(model) + "\n" + atoms + "TER\nENDMDL\n";
    withoutTer += "MODEL        " + std::to_string(model) + "\n" + atoms + "ENDMDL\n";
    withEmptyModel += "MODEL\n" + (model == 2 ? std::string() : atoms) + "ENDMDL\n";
  }
  cClassicalParserPDB a, b, c, d;
  EXPECT_EQ(atomCounts(readText(a, withTer)), (std::vector<int>{2, 2, 2}));
  EXPECT_EQ(atomCounts(readText(b, withoutTer)), (std::vector<int>{6}));  // not one per model
  EXPECT_EQ(atomCounts(readText(c, withoutTer, {.separator = 2})), (std::vector<int>{2, 2, 2}));
  const sResult empty = readText(d, withEmptyModel, {.separator = 2});
  EXPECT_EQ(empty.nChains, 3);
  EXPECT_EQ(atomCounts(empty), (std::vector<int>{2, 0, 2}));
}

TEST(cClassicalParserPDB, SkipsTheNamedChain) {
  const std::string text = atom(1, " CA ", "ALA", 'A', 1) + "TER\n" + atom(2, " CA ", "GLY", 'B', 1) + "TER\n" +
                           atom(3, " CA ", "SER", 'C', 1) + "TER\n";
  cClassicalParserPDB reader;
  const sResult r = readText(reader, text, {.skipChain = 'B'});
  EXPECT_EQ(r.nChains, 3);
  ASSERT_EQ(r.segments.size(), 2u);
  EXPECT_EQ(r.atoms[0].residueName, "ALA");
  EXPECT_EQ(r.atoms[1].residueName, "SER");
  EXPECT_EQ(r.atoms[1].segmentIndex, 1);
}

TEST(cClassicalParserPDB, AtomsAfterEndAreNoticedNotRead) {
  cClassicalParserPDB reader;
  const sResult r = readText(reader, atom(1, " CA ", "ALA", 'A', 1) + "END\n" + atom(2, " CA ", "GLY", 'A', 2));
  EXPECT_EQ(r.nAtoms, 1);
  EXPECT_TRUE(reader.atomsAfterEnd);
  EXPECT_EQ(r.code, cClassicalParserPDB::eAtom);

  cClassicalParserPDB clean;
  EXPECT_EQ(readText(clean, atom(1, " CA ", "ALA", 'A', 1) + "END\nCONECT    1    2\n").code,
            cClassicalParserPDB::eBufferEnd);
  EXPECT_FALSE(clean.atomsAfterEnd);
}

TEST(cClassicalParserPDB, EmptyAndRecordFreeFiles) {
  for (const std::string& text : {std::string(), std::string("HEADER    NOTHING HERE\nREMARK   1\n"), std::string("END")}) {
    cClassicalParserPDB reader;
    const sResult r = readText(reader, text);
    EXPECT_EQ(r.nChains, 0);
    EXPECT_EQ(r.nAtoms, 0);
    EXPECT_FALSE(reader.crystal.cellRead);
  }
}

// ---------------------------------------------------------------------------------------------
// Which atoms are kept

TEST(cClassicalParserPDB, AlternateLocations) {
  const std::string text = atom(1, " CA ", "SER", 'A', 1, " C", 'A') + atom(2, " CA ", "SER", 'A', 1, " C", 'B') +
                           atom(3, " CB ", "SER", 'A', 1, " C", 'A') + atom(4, " CB ", "SER", 'A', 1, " C", 'B') +
                           atom(5, " N  ", "GLY", 'A', 2, " N") + atom(6, " CA ", "GLY", 'A', 2, " C", 'B') +
                           atom(7, " C  ", "GLY", 'A', 2, " C", 'C');
  cClassicalParserPDB reader;
  const sResult r = readText(reader, text);
  std::vector<int> serials;
  for (const cPDBAtom& a : r.atoms) serials.push_back(a.serial);
  // A kept, B after a kept A dropped; after a kept blank even B passes, then C after B not.
  EXPECT_EQ(serials, (std::vector<int>{1, 3, 5, 6}));
}

TEST(cClassicalParserPDB, HydrogenMercuryAndWater) {
  const std::string text = atom(1, " CA ", "ALA", 'A', 1, " C") + atom(2, " HA ", "ALA", 'A', 1, " H") +
                           atom(3, "HG  ", "ALA", 'A', 1, "HG") +   // mercury goes with the hydrogens
                           atom(4, "1HB ", "ALA", 'A', 1, "") +    // no element columns: from the name
                           atom(5, " O  ", "HOH", 'A', 2, " O") + atom(6, " H1 ", "HOH", 'A', 2, " H") +
                           atom(7, "FE  ", "ALA", 'A', 1, "FE") + atom(8, " CA ", "ALA", 'A', 1, "CA") +
                           atom(9, " XX ", "ALA", 'A', 1, "XX");
  cClassicalParserPDB reader;
  const sResult r = readText(reader, text);
  ASSERT_EQ(r.atoms.size(), 4u);
  EXPECT_EQ(reader.waterAtoms, 1);  // the water oxygen, not its hydrogen
  EXPECT_EQ(r.atoms[1].element, "Fe");
  EXPECT_FLOAT_EQ(r.atoms[1].mass, 55.845f);
  EXPECT_EQ(r.atoms[2].element, "Ca");  // element columns beat the atom name
  EXPECT_FLOAT_EQ(r.atoms[2].radius, 1.2f);
  EXPECT_EQ(r.atoms[3].element, "Xx");  // no such element: radius and mass 1
  EXPECT_FLOAT_EQ(r.atoms[3].radius, 1.0f);
  EXPECT_FLOAT_EQ(r.atoms[3].mass, 1.0f);
  EXPECT_EQ(r.atoms[0].element, "C");
  EXPECT_FLOAT_EQ(r.atoms[0].radius, 1.7f);
}

TEST(cClassicalParserPDB, ResidueMapTakesTheFirstCaOfEachNumber) {
  const std::string text = atom(1, " N  ", "LYS", 'A', 1) + atom(2, " CA ", "LYS", 'A', 1) +
                           atom(3, " CA ", "GLY", 'A', 1) +  // same number again: no change
                           atom(4, " N  ", "PRO", 'A', 2) + atom(5, " CB ", "PRO", 'A', 2) +  // no CA at all
                           atom(6, " CA ", "MSE", 'A', 3) +  // amino acid without a letter
                           atom(7, "CA  ", " CA", 'A', 4, "CA");  // calcium ion
  cClassicalParserPDB reader;
  const sResult r = readText(reader, text);
  ASSERT_EQ(r.segments.size(), 1u);
  EXPECT_EQ(r.segments[0].residues, (std::map<int, char>{{1, 'K'}, {3, 'x'}}));
  EXPECT_EQ(r.atoms.size(), 7u);
}

// ---------------------------------------------------------------------------------------------
// Records

TEST(cClassicalParserPDB, NumbersReadAsTheCorrectlyRoundedDecimal) {
  // Every number field must read as std::from_chars reads it, whatever way the reader takes to
  // get there: the cell length a (columns 7-15) keeps the full double.
  std::mt19937 rng(77);
  std::vector<std::string> fields = {"    0.000", "   -0.000", "       5.", "       .5", "  -0.0625", "999999999",
                                     "1.23e2", "  +12.500", "   12.5x ", "1.5.3", "-", ".", "0.1", "2.675"};
  for (int k = 0; k < 3000; ++k) {
    char text[32];
    const double v = std::uniform_real_distribution<double>(-999.0, 999.0)(rng);
    std::snprintf(text, sizeof text, "%9.*f", k % 7, v / (k % 3 == 0 ? 1000.0 : 1.0));
    fields.push_back(text);
  }
  cClassicalParserPDB reader;
  for (const std::string& field : fields) {
    const std::string number = (field + std::string(9, ' ')).substr(0, 9);
    const std::string line = "CRYST1" + number + "   10.000   10.000  90.00  90.00  90.00 P 1";
    reader.readCrystRecordFields(line.c_str(), static_cast<long>(line.size()));
    std::string text = number;
    text.erase(0, text.find_first_not_of(' '));
    if (!text.empty() && text[0] == '+') text.erase(0, 1);
    double expected = 0.0;
    if (std::from_chars(text.data(), text.data() + text.size(), expected).ec != std::errc()) expected = 0.0;
    EXPECT_EQ(reader.crystal.cellLengths.x, expected) << "'" << number << "'";
  }
}

TEST(cClassicalParserPDB, AtomRecordColumns) {
  const std::string line =
      "HETATM12345 FE2 AHEM Z-123A   -1234.5612345.67    -0.5  0.25-12.50      SEG1Fe  ";
  cClassicalParserPDB reader;
  cPDBAtom a;
  EXPECT_EQ(reader.readPDBRecordFields(line.data(), &a, static_cast<long>(line.size())), 1);
  EXPECT_EQ(a.serial, 12345);
  EXPECT_EQ(a.name, "FE2");
  EXPECT_EQ(a.alternateLocation, 'A');
  EXPECT_EQ(a.residueName, "HEM");
  EXPECT_EQ(a.chain, 'Z');
  EXPECT_EQ(a.residueNumber, -123);
  EXPECT_EQ(a.insertionCode, 'A');
  EXPECT_EQ(a.position, cVector3(-1234.56f, 12345.67f, -0.5f));
  EXPECT_FLOAT_EQ(a.occupancy, 0.25f);
  EXPECT_FLOAT_EQ(a.temperatureFactor, -12.5f);
  EXPECT_EQ(a.segmentId, "SEG1");
  EXPECT_EQ(a.element, "Fe");

  // Numbers that do not parse read as 0, a coordinate that is not one number as NaN; a
  // right-justified one-letter element is column 78.
  const std::string odd = "ATOM  abcde  N   ALA A  x1    nonsense  +2.500     1e1  1.00 20.00       S   N  ";
  EXPECT_EQ(reader.readPDBRecordFields(odd.data(), &a, static_cast<long>(odd.size())), 1);
  EXPECT_EQ(a.serial, 0);
  EXPECT_EQ(a.residueNumber, 0);
  EXPECT_TRUE(std::isnan(a.position.x));
  EXPECT_EQ(a.position.y, 2.5);
  EXPECT_EQ(a.position.z, 10.0);
  EXPECT_EQ(a.segmentId, "S");
  EXPECT_EQ(a.element, "N");

  cVector3 coords;
  EXPECT_EQ(cClassicalParserPDB::readPDBCoords(line.data(), coords, 46), 1);  // z is past the end
  EXPECT_EQ(coords.x, -1234.56f);
  EXPECT_EQ(coords.y, 12345.67f);
  EXPECT_TRUE(std::isnan(coords.z));
}

TEST(cClassicalParserPDB, CellRecords) {
  const std::string full = "CRYST1  105.700  105.700  171.600  90.00  90.00 120.00 H 3 2        30          \n";
  cClassicalParserPDB reader;
  readText(reader, full);
  const cCrystallography& c = reader.crystal;
  EXPECT_EQ(c.spaceGroupText(), "R 3 2      ");  // H on hexagonal axes is looked up as R
  EXPECT_NEAR(c.cellVectors[1].x, -52.85, 1e-9);
  EXPECT_NEAR(c.cellVectors[1].y, 105.7 * std::sqrt(3.0) / 2, 1e-9);
  EXPECT_NEAR(c.cellVectors[2].z, 171.6, 1e-9);

  // Eleven characters, nothing terminates them; only the lattice letter H of the old
  // hexagonal spelling becomes R, a written basis (:H, :R) stays.
  const std::pair<const char*, const char*> fields[] = {
      {"HHHHHHHHHHHXYZ", "HHHHHHHHHHH"}, {"R 3 :H     ", "R 3 :H     "}, {" H -3 m:H  ", " R -3 m:H  "},
      {"H32        ", "R32        "},    {"Hall P 2yb ", "Hall P 2yb "},
  };
  for (const auto& [field, stored] : fields) {
    cClassicalParserPDB eleven;
    readText(eleven, std::string("CRYST1   10.000   10.000   10.000  90.00  90.00  90.00 ") + field + "\n");
    EXPECT_EQ(eleven.crystal.spaceGroupText(), stored) << field;
  }

  // A short record: missing columns read as blanks, the cell degenerates to NaN, no crash.
  cClassicalParserPDB shortCell;
  readText(shortCell, "CRYST1   40.960   18.650\n");
  EXPECT_TRUE(shortCell.crystal.cellRead);
  EXPECT_EQ(shortCell.crystal.cellLengths, cVector3(40.96, 18.65, 0.0));
  EXPECT_EQ(shortCell.crystal.spaceGroupText(), "           ");
  EXPECT_TRUE(std::isnan(shortCell.crystal.cellVectors[2].y));
}

TEST(cClassicalParserPDB, OrigxRows) {
  const std::string text =
      "ORIGX1      0.000000  1.000000  0.000000        1.50000\n"
      "ORIGX2      1.000000  0.000000  0.000000       -2.50000\n"
      "ORIGX3      0.000000  0.000000 -1.000000        3.00000\n"
      "ORIGX4      9.000000  9.000000  9.000000        9.00000\n"  // no fourth row: ignored
      "ORIGX0      9.000000  9.000000  9.000000        9.00000\n"
      "ORIGX\n";
  cClassicalParserPDB reader;
  readText(reader, text);
  const double expected[9] = {0, 1, 0, 1, 0, 0, 0, 0, -1};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(reader.origx.rotation.m[i], expected[i]) << i;
  EXPECT_EQ(reader.origx.translation, cVector3(1.5, -2.5, 3.0));
}

TEST(cClassicalParserPDB, MissingResidueRemarks) {
  const std::string text =
      "REMARK 465     GLY A    99\n"  // before the header: an ordinary remark
      "REMARK 465   M RES C SSSEQI\n"
      "REMARK 465     MET B    -2\n"
      "REMARK 465     SER B    -1\n"
      "REMARK 465     ALA B    10\n" +
      atom(1, " CA ", "LYS", 'B', 1) + atom(2, " CA ", "LEU", 'B', 2) + "TER\n";
  cClassicalParserPDB reader;
  readText(reader, text);
  EXPECT_EQ(reader.sequences.count('A'), 0u);
  const cSequence& b = reader.sequences.at('B');
  EXPECT_EQ(b.missingResidues, (std::list<int>{-2, -1, 10}));
  EXPECT_EQ(b.firstResidue, -2);
  EXPECT_FALSE(b.firstFromAtoms);
  EXPECT_EQ(b.offset, 3);
  EXPECT_EQ(b.lastResidue, 10);

  // The field-free classifier announces the header.
  const std::string header = "REMARK 465   M RES C SSSEQI\nREMARK 465     MET B    -2\n";
  cClassicalParserPDB classifier;
  testing::internal::CaptureStdout();
  EXPECT_EQ(classifier.readPDBLine(header.data(), 0, static_cast<long>(header.size())), cClassicalParserPDB::eRemark);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "Missing Residues:\n");
  EXPECT_EQ(classifier.readPDBLine(header.data(), 28, static_cast<long>(header.size())),
            cClassicalParserPDB::eMissingResidue);
}

TEST(cClassicalParserPDB, ClassifiesLines) {
  const struct {
    const char* text;
    int code;
  } cases[] = {
      {"ATOM      1\n", 2},   {"ATOMS      \n", 5}, {"HETATM    1\n", 3}, {"TER   \n", 10},
      {"ENDMDL\n", 15},       {"END   \n", 6},      {"ENDX  \n", 6},      {"REMARK 465\n", 1},
      {"CRYST1     \n", 8},   {"MODEL     1\n", 16}, {"ORIGX1\n", 14},   {"SCALE1     \n", 5},
      {"ANISOU      \n", 5},  {"TER", 7},          {"ATOM ", 7},
  };
  for (const auto& c : cases) {
    cClassicalParserPDB reader;
    const std::string text = c.text;
    int number = -1;
    char chain = '?';
    std::string residue, name;
    EXPECT_EQ(reader.readPDBLine(text.data(), 0, static_cast<long>(text.size()), number, chain, residue, name), c.code)
        << c.text;
  }
  cClassicalParserPDB reader;
  const std::string line = atom(7, " OG1", "THR", 'Q', -12);
  int number = 0;
  char chain = 0;
  std::string residue, name;
  EXPECT_EQ(reader.readPDBLine(line.data(), 0, static_cast<long>(line.size()), number, chain, residue, name), 2);
  EXPECT_EQ(number, -12);
  EXPECT_EQ(chain, 'Q');
  EXPECT_EQ(residue, "THR");
  EXPECT_EQ(name, "OG1");
}

TEST(cClassicalParserPDB, DeletesSpaces) {
  char text[] = "  AB C   ";
  EXPECT_EQ(cClassicalParserPDB::deleteSpacesInAString(text, 9), 4);
  EXPECT_STREQ(text, "AB C");
  char other[] = "   XY";
  EXPECT_EQ(cClassicalParserPDB::deleteSpacesInAString2(other, 5), 3);
  EXPECT_STREQ(other, "XY");
  char blank[] = "    ";
  EXPECT_EQ(cClassicalParserPDB::deleteSpacesInAString(blank, 4), 0);
  EXPECT_STREQ(blank, "");
}

// ---------------------------------------------------------------------------------------------
// Unreadable input

TEST(cClassicalParserPDB, UnreadableFilesEndTheProcess) {
  const std::string missing = "/nonexistent/quorix/none.pdb";
  const std::string directory = std::string(QUORIX_TEST_DATA);
  for (const std::string& path : {missing, directory}) {
    EXPECT_EXIT(
        {
          dup2(2, 1);  // the message goes to standard output; let the death test see it
          cClassicalParserPDB reader;
          int nChains = 0;
          int nAtoms = 0;
          reader.readFile(path, nChains, nAtoms, 0, 0);
        },
        testing::ExitedWithCode(1), "Error: could not open pdb file " + path)
        << path;
  }
}

TEST(cClassicalParserPDB, NonFiniteCoordinatesEndTheProcessNamingTheLine) {
  const std::string good = atom(1, " CA ", "ALA", 'A', 1, " C");
  for (const char* field : {"     nan", "     inf", "    -inf", "   1e39 ", "  -1e300", "   1e400"}) {
    std::string bad = atom(2, " CA ", "GLY", 'A', 2, " C");
    bad.replace(38, 8, field);
    const cTempFile file("REMARK   1\n" + good + bad);
    EXPECT_EXIT(
        {
          cClassicalParserPDB reader;
          readPath(reader, file.path());
        },
        testing::ExitedWithCode(1), "Error in pdb file .*, line 3: coordinate that is not a finite number: ATOM")
        << field;
  }
}

TEST(cClassicalParserPDB, CoordinateFieldsHoldOneNumberEach) {
  const std::string good = atom(1, " CA ", "ALA", 'A', 1, " C");
  const std::string second = atom(2, " CA ", "GLY", 'A', 2, " C");  // x, y, z in columns 31-38, 39-46, 47-54
  auto with = [&second](std::size_t column, const std::string& text) {
    std::string line = second;
    line.replace(column - 1, text.size(), text);
    return line;
  };
  const std::string refused = "\nquorix reads PDB text \\(and PQR in PDB columns\\), not mmCIF or compressed files";
  const struct {
    std::string line;
    std::string message;
  } bad[] = {
      {with(31, "  abc.de"), "x coordinate \\(columns 31-38\\) is not one number: \"  abc.de\"" + refused},
      {with(31, " 1.2.3.4"), "x coordinate \\(columns 31-38\\) is not one number: \" 1.2.3.4\""},
      {with(39, "  12.5ab"), "y coordinate \\(columns 39-46\\) is not one number: \"  12.5ab\""},
      {with(39, "   +-1.0"), "y coordinate \\(columns 39-46\\) is not one number: \"   \\+-1.0\""},
      {with(47, "  1 2   "), "z coordinate \\(columns 47-54\\) is not one number: \"  1 2   \""},
      {with(47, "        "), "z coordinate \\(columns 47-54\\) is blank: \"        \""},
      {second.substr(0, 40) + "\n", "y coordinate \\(columns 39-46\\) is cut short by the end of the line: \"  \""},
      {second.substr(0, 46) + "\n", "z coordinate \\(columns 47-54\\) is cut short by the end of the line: \"\""},
      {with(31, std::string("1.0\0", 4)), "x coordinate \\(columns 31-38\\) is not one number: \"1.0\\\\x00"},
      {with(22, std::string(1, '\0')), "the chain identifier \\(column 22\\) is a NUL byte: \"\\\\x00\""},
  };
  for (const auto& row : bad) {
    const cTempFile file("REMARK   1\n" + good + row.line);
    EXPECT_EXIT(
        {
          cClassicalParserPDB reader;
          readPath(reader, file.path());
        },
        testing::ExitedWithCode(1), "Error in pdb file .*, line 3: " + row.message)
        << row.line;
  }

  // Blanks around the number, a '+', an exponent and a bare point are still one number; records
  // the run does not read (HETATM without the option, lines after END) are not looked at.
  cClassicalParserPDB reader;
  const sResult r = readText(reader, with(31, "+12.5   ") + with(39, "1e1     ") + with(47, "      .5") +
                                         atomLine("HETATM", 3, " C1 ", "LIG", 'A', 3).replace(30, 8, "  abc.de") +
                                         "END\n" + second.substr(0, 40) + "\n");
  ASSERT_EQ(r.atoms.size(), 3u);
  EXPECT_EQ(r.atoms[0].position, cVector3(12.5, 2.0, 3.0));
  EXPECT_EQ(r.atoms[1].position, cVector3(1.0, 10.0, 3.0));
  EXPECT_EQ(r.atoms[2].position, cVector3(1.0, 2.0, 0.5));
}

TEST(cClassicalParserPDB, RecordOrdinalsCountEverySkippedRecord) {
  // Kept: 1 (A), 4 (A), 8 (C). Skipped: a hydrogen, a water, a HETATM, the skipped chain B, and
  // an alternate location; TER and REMARK records take no place.
  const std::string text = atom(1, " CA ", "ALA", 'A', 1, " C") + atom(2, " H  ", "ALA", 'A', 1, " H") +
                           atom(3, " O  ", "HOH", 'A', 2, " O") + "TER       4\nREMARK   1\n" +
                           atom(5, " CA ", "GLY", 'A', 3, " C", 'A') + atom(6, " CA ", "GLY", 'A', 3, " C", 'B') +
                           atomLine("HETATM", 7, " C1 ", "LIG", 'A', 4) + atom(8, " CA ", "SER", 'B', 1, " C") +
                           atom(99999, " CA ", "LYS", 'C', 1, " C") + "END\n" + atom(10, " CA ", "ALA", 'D', 1);
  cClassicalParserPDB reader;
  const sResult r = readText(reader, text, {.skipChain = 'B'});
  EXPECT_EQ(reader.atomRecords, 8);
  std::vector<int> ordinals;
  for (const cPDBAtom& a : r.atoms) ordinals.push_back(a.recordOrdinal);
  EXPECT_EQ(ordinals, (std::vector<int>{0, 3, 7}));
}

// Random mixtures of records, cut lines and separators: the second pass must stay within the
// counts of the first whatever the input (the sanitizer build checks the arrays).
TEST(cClassicalParserPDB, SecondPassStaysWithinTheCounts) {
  std::mt19937 rng(20240611);
  const std::string pieces[] = {
      atom(1, " CA ", "ALA", 'A', 1, " C"), atom(2, " CA ", "GLY", 'B', 2, " C", 'B'),
      atom(3, " H  ", "SER", 'A', 3, " H"), atom(4, " O  ", "HOH", 'B', 4, " O"),
      atomLine("HETATM", 5, " C1 ", "LIG", 'C', 5), atom(6, " CA ", "LYS", ' ', 6, " C", 'A'),
      "TER\n", "MODEL        1\n", "ENDMDL\n", "REMARK 465   M RES C SSSEQI\n", "REMARK 465     MET A     1\n",
      "CRYST1   10.000\n", "ORIGX9\n", "\n", "ANISOU\n"};
  for (int round = 0; round < 300; ++round) {
    std::string text;
    const int lines = static_cast<int>(rng() % 40);
    for (int i = 0; i < lines; ++i) {
      std::string piece = pieces[rng() % std::size(pieces)];
      if (rng() % 5 == 0) {
        std::size_t cut = rng() % piece.size();
        // An atom record keeps its coordinates: one cut inside them ends the process.
        if (piece.size() > 54 && cut >= 5 && cut < 54) cut = 54 + rng() % (piece.size() - 54);
        piece = piece.substr(0, cut) + (rng() % 2 ? "\n" : "\r\n");
      }
      text += piece;
    }
    if (rng() % 3 == 0 && !text.empty()) text.pop_back();
    const char skips[] = {' ', 'A', 'B', 'C'};
    const sOptions options{.separator = static_cast<int>(rng() % 3), .hetatm = static_cast<int>(rng() % 2),
                           .skipChain = skips[rng() % 4], .aminoOrNucleicOnly = rng() % 2 == 0};
    cClassicalParserPDB reader;
    const sResult r = readText(reader, text, options);
    int inSegments = 0;
    for (const cPDBSegment& s : r.segments) {
      EXPECT_GE(s.atomCount, 0);
      inSegments += s.atomCount;
    }
    EXPECT_EQ(inSegments, reader.keptAtoms) << text;
  }
}
