// Tests of cPDBAtom: residue classes, atom typing, the PDB line it writes and its debug form.
#include "structure/cPDBAtom.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <vector>

#include "structure/cClassicalParserPDB.h"
#include "tests/structure/tempFile.h"

namespace {

cPDBAtom makeAtom(const char* name, const char* residue, int kind = 0) {
  cPDBAtom atom;
  atom.recordKind = kind;
  atom.serial = 12;
  atom.name = name;
  atom.residueName = residue;
  atom.residueType = cPDBAtom::findResType(residue);
  atom.chain = 'A';
  atom.residueNumber = 7;
  atom.position = cVector3(1.5, -2.25, 10.125);
  atom.occupancy = 1.0f;
  atom.temperatureFactor = 20.5f;
  atom.segmentId = "S1";
  atom.element = "C";
  return atom;
}

std::string lineOf(const cPDBAtom& atom) {
  std::FILE* f = std::tmpfile();
  const int written = atom.toFile(f);
  std::rewind(f);
  std::string text(static_cast<std::size_t>(written), '\0');
  EXPECT_EQ(std::fread(text.data(), 1, text.size(), f), text.size());
  std::fclose(f);
  return text;
}

class cPDBAtomTest : public ::testing::Test {
protected:
  void SetUp() override {
    cPDBAtom::initMaps();
    cPDBAtom::initResCodes();
  }
};

}  // namespace

TEST_F(cPDBAtomTest, ResidueClassesAndCodes) {
  EXPECT_EQ(cPDBAtom::mResType.size(), 45u);
  EXPECT_EQ(cPDBAtom::resCode.size(), 22u);
  cPDBAtom::initMaps();  // filling again changes nothing
  EXPECT_EQ(cPDBAtom::mResType.size(), 45u);

  EXPECT_EQ(cPDBAtom::findResType(" HOH "), PDBResType::eWater);
  EXPECT_EQ(cPDBAtom::findResType("TIP3P"), PDBResType::eWater);
  EXPECT_EQ(cPDBAtom::findResType(" DA"), PDBResType::eNucleic);
  EXPECT_EQ(cPDBAtom::findResType("XYZ"), PDBResType::eUnknown);
  EXPECT_EQ(cPDBAtom::findResType("   "), PDBResType::eUnknown);
  EXPECT_EQ(cPDBAtom::mResType.count("XYZ"), 0u);  // lookups never insert

  // A calcium ion named CA in residue CA is no C-alpha.
  const cPDBAtom calcium = makeAtom("CA", " CA");
  EXPECT_EQ(calcium.residueType, PDBResType::eIon);
  EXPECT_FALSE(calcium.isCA());
  EXPECT_FALSE(calcium.isAMINO());

  const cPDBAtom selenoMet = makeAtom("CA", "MSE");
  EXPECT_TRUE(selenoMet.isAMINO());
  EXPECT_TRUE(selenoMet.isCA());
  EXPECT_EQ(selenoMet.getResCode(), 'x');

  const cPDBAtom selenoCys = makeAtom("CA", "SEC");
  EXPECT_EQ(selenoCys.residueType, PDBResType::eUnknown);
  EXPECT_FALSE(selenoCys.isCA());
  EXPECT_EQ(selenoCys.getResCode(), 'U');
  EXPECT_EQ(makeAtom("CA", "HSE").getResCode(), 'H');

  cPDBAtom water = makeAtom("O", "HOH");
  water.element = "O";
  EXPECT_TRUE(water.isWater());
  EXPECT_TRUE(water.isWaterOxygen());
  water.element = "H";
  EXPECT_FALSE(water.isWaterOxygen());
  EXPECT_TRUE(water.isHydrogen());
  EXPECT_FALSE(makeAtom("O", " HOH").isWater());  // the stored name is looked up as it stands

  cPDBAtom mercury = makeAtom("HG", "HG");
  mercury.element = "Hg";
  EXPECT_TRUE(mercury.isHydrogen());  // kept behaviour: every element beginning with H
  EXPECT_TRUE(makeAtom("P", " DG").isNucleic());
}

TEST_F(cPDBAtomTest, Backbone) {
  for (const char* name : {"C", "N", "O", "HN", "HA", "H", "OT1", "OT2"})
    EXPECT_TRUE(makeAtom(name, "GLY").isBackbone()) << name;
  for (const char* name : {"OXT", "CB", "HA2", "NZ"}) EXPECT_TRUE(makeAtom(name, "LYS").isSidechain()) << name;
  EXPECT_TRUE(makeAtom("CA", "GLY").isBackbone());
  EXPECT_FALSE(makeAtom("CA", " CA").isBackbone());
}

TEST_F(cPDBAtomTest, SetTypeAndTheTwoFillers) {
  cPDBAtom::mResName.clear();
  cPDBAtom::mName.clear();
  cPDBAtom::mNameTerm.clear();
  cPDBAtom::initAtomTypesITScore();
  std::size_t total = cPDBAtom::mResName.size() + cPDBAtom::mName.size() + cPDBAtom::mNameTerm.size();
  EXPECT_EQ(total, 110u);  // no key repeats within the set

  cPDBAtom atom;
  atom.setType("ARG", "CZ", false, false);
  EXPECT_EQ(atom.type, 1);
  atom.setType("ALA", "C", false, true);
  EXPECT_EQ(atom.type, 3);
  atom.setType("ALA", "C", true, true);
  EXPECT_EQ(atom.type, 2);
  atom.setType("ALA", "OXT", true, true);
  EXPECT_EQ(atom.type, 18);
  atom.setType("ALA", "C", false, false);  // not by atom name
  EXPECT_EQ(atom.type, -1);
  atom.setType("ALA", "OXT", false, true);  // OXT is only in the terminal table
  EXPECT_EQ(atom.type, -1);
  atom.setType("A VERY LONG RESIDUE NAME THAT NO TABLE HOLDS", "AND AN ATOM NAME TOO", true, true);
  EXPECT_EQ(atom.type, -1);
  atom.setType("GLY", "CA", false, true);  // GLYCA is a key of the second set only
  EXPECT_EQ(atom.type, 7);

  cPDBAtom::initAtomTypesVersion2();  // overwrites shared keys, adds its own
  atom.setType("GLY", "CA", false, true);
  EXPECT_EQ(atom.type, 18);
  atom.setType("GLU", "CD", false, true);
  EXPECT_EQ(atom.type, 3);
  atom.setType("ALA", "C", false, true);
  EXPECT_EQ(atom.type, 5);
  total = cPDBAtom::mResName.size() + cPDBAtom::mName.size() + cPDBAtom::mNameTerm.size();
  EXPECT_EQ(total, 111u);  // every ITScore key is also a key of the second set
}

TEST_F(cPDBAtomTest, WritesFixedColumns) {
  const std::string line = lineOf(makeAtom("CA", "ALA"));
  EXPECT_EQ(line,
            "ATOM     12  CA  ALA A   7       1.500  -2.250  10.125  1.00 20.50       S1 \n");
  EXPECT_EQ(line.substr(13, 2), "CA");  // a short name starts in column 14

  cPDBAtom hetatm = makeAtom("CAXY", "ALA", 1);
  hetatm.alternateLocation = 'B';
  hetatm.insertionCode = 'C';
  const std::string het = lineOf(hetatm);
  EXPECT_EQ(het.substr(0, 6), "HETATM");
  EXPECT_EQ(het.substr(12, 4), "CAXY");  // a 4-character name starts in column 13
  EXPECT_EQ(het[16], 'B');
  EXPECT_EQ(het[26], 'C');
  EXPECT_EQ(het.substr(73, 2), "S1");  // segment id from column 74
  EXPECT_EQ(het.size(), 77u);

  // Text longer than its columns (never read from a file) is cut so the columns stay put.
  cPDBAtom longNames = makeAtom("ABCDEFGH", "LONGRES");
  longNames.segmentId = "SEGMENT";
  const std::string cut = lineOf(longNames);
  EXPECT_EQ(cut.substr(12, 4), "ABCD");
  EXPECT_EQ(cut.substr(17, 3), "LON");
  EXPECT_EQ(cut.substr(30, 8), "   1.500");
  EXPECT_EQ(cut.substr(73), "SEGM\n");

  // A PQR atom writes occupancy and temperature factor (0), not its charge and radius.
  cPDBAtom pqr;
  pqr.name = "N";
  pqr.residueName = "GLY";
  pqr.pqrCharge = -0.5f;
  pqr.pqrRadius = 1.8f;
  EXPECT_EQ(lineOf(pqr).substr(54, 12), "  0.00  0.00");
}

TEST_F(cPDBAtomTest, WrittenLinesReadBackToTheSameFields) {
  std::vector<cPDBAtom> atoms;
  const char* names[] = {"N", "CA", "C", "O", "CB", "CAXY", "OXT"};
  for (int i = 0; i < 7; ++i) {
    cPDBAtom atom = makeAtom(names[i], i < 5 ? "SER" : "LYS", i == 6 ? 1 : 0);
    atom.serial = 99990 + i;
    atom.residueNumber = -999 + 500 * i;
    atom.chain = "ABCDEFz"[i];
    atom.alternateLocation = i == 3 ? 'A' : ' ';
    atom.insertionCode = i == 4 ? 'X' : ' ';
    atom.position = cVector3(-999.125 + i, 1234.5 - i * 0.001, 0.001 * i);
    atom.occupancy = 0.25f * static_cast<float>(i);
    atom.temperatureFactor = 99.99f - static_cast<float>(i);
    atom.segmentId = i % 2 ? "AB" : "";
    atoms.push_back(atom);
  }
  std::FILE* out = std::tmpfile();
  for (cPDBAtom& atom : atoms) writeLinePDB(out, &atom);
  std::rewind(out);
  std::string text;
  for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
  std::fclose(out);

  const cTempFile file(text);
  cClassicalParserPDB reader;
  int nChains = 0, nAtoms = 0;
  reader.readFile(file.path(), nChains, nAtoms, 0, 1);
  std::vector<cPDBSegment> segments;
  std::vector<cPDBAtom> read;
  reader.parseFields(segments, read, false, ' ');
  ASSERT_EQ(read.size(), atoms.size());
  for (std::size_t i = 0; i < atoms.size(); ++i) {
    SCOPED_TRACE(i);
    const cPDBAtom &a = atoms[i], &b = read[i];
    EXPECT_EQ(b.recordKind, a.recordKind);
    EXPECT_EQ(b.serial, a.serial);
    EXPECT_EQ(b.name, a.name);
    EXPECT_EQ(b.alternateLocation, a.alternateLocation);
    EXPECT_EQ(b.residueName, a.residueName);
    EXPECT_EQ(b.chain, a.chain);
    EXPECT_EQ(b.residueNumber, a.residueNumber);
    EXPECT_EQ(b.insertionCode, a.insertionCode);
    EXPECT_NEAR(b.position.x, a.position.x, 5e-4);
    EXPECT_NEAR(b.position.y, a.position.y, 5e-4);
    EXPECT_NEAR(b.position.z, a.position.z, 5e-4);
    EXPECT_NEAR(b.occupancy, a.occupancy, 5e-3);
    EXPECT_NEAR(b.temperatureFactor, a.temperatureFactor, 5e-3);
    EXPECT_EQ(b.segmentId, a.segmentId);
    EXPECT_EQ(b.element, a.name.substr(0, 1));  // no element columns: the name's first letter
  }
}

TEST_F(cPDBAtomTest, DebugForm) {
  cPDBAtom atom = makeAtom("CA", "ALA");
  atom.chain = '\0';
  std::ostringstream os;
  os << &atom;
  EXPECT_EQ(os.str(), "ATOM     12  CA  ALA     7       1.500  -2.250  10.125  1.00 20.50        S1   C ");
  EXPECT_EQ(atom.chain, ' ');  // set in the atom itself

  atom.name = std::string(200, 'N');  // the form is cut at 99 characters
  std::ostringstream longForm;
  longForm << &atom;
  EXPECT_EQ(longForm.str().size(), 99u);
}

TEST_F(cPDBAtomTest, CopiesCarryEveryField) {
  cPDBAtom het = makeAtom("FE", "HEM", 1);
  het.pqrCharge = 2.0f;
  cPDBAtom target;
  target = het;
  EXPECT_EQ(target.recordKind, 1);
  EXPECT_EQ(target.name, "FE");
  EXPECT_EQ(target.pqrCharge, 2.0f);
  const cPDBAtom fromPointer(&het);
  EXPECT_EQ(fromPointer.recordKind, 1);
  EXPECT_EQ(fromPointer.residueName, "HEM");
  const cPDBAtom fromNull(static_cast<const cPDBAtom*>(nullptr));
  EXPECT_EQ(fromNull.type, -1);
  EXPECT_EQ(fromNull.scale, 1.0f);
}
