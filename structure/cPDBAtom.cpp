// cPDBAtom: residue classification, atom typing, PDB line output and the debug form.
#include "structure/cPDBAtom.h"

#include <ostream>

cPDBAtom::tTable<PDBResType::eResType> cPDBAtom::mResType;
cPDBAtom::tTable<char> cPDBAtom::resCode;
cPDBAtom::tTable<int> cPDBAtom::mResName;
cPDBAtom::tTable<int> cPDBAtom::mName;
cPDBAtom::tTable<int> cPDBAtom::mNameTerm;

namespace {

std::string_view trimmed(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

template <class V>
const V* lookUp(const cPDBAtom::tTable<V>& table, std::string_view key) {
  const auto it = table.find(key);
  return it == table.end() ? nullptr : &it->second;
}

// A NUL character prints as nothing in the debug form, as an empty C string would.
std::string charText(char c) { return c ? std::string(1, c) : std::string(); }

}  // namespace

cPDBAtom::cPDBAtom(const cPDBAtom* other) {
  if (other) *this = *other;
}

cPDBAtom* cPDBAtom::derived() { return this; }

PDBResType::eResType cPDBAtom::findResType(std::string_view residueName) {
  const auto* value = lookUp(mResType, trimmed(residueName));
  return value ? *value : PDBResType::eUnknown;
}

bool cPDBAtom::isAMINO() const { return residueType >= 1 && residueType <= 22; }

bool cPDBAtom::isNucleic() const { return residueType == PDBResType::eNucleic; }

bool cPDBAtom::isWater() const {
  const auto* value = lookUp(mResType, residueName);
  return value && *value == PDBResType::eWater;
}

bool cPDBAtom::isWaterOxygen() const { return isWater() && !element.empty() && element[0] == 'O'; }

bool cPDBAtom::isHydrogen() const { return !element.empty() && element[0] == 'H'; }

bool cPDBAtom::isCA() const { return name == "CA" && isAMINO(); }

bool cPDBAtom::isBackbone() const {
  if (name == "CA") return isAMINO();
  return name == "C" || name == "N" || name == "O" || name == "HN" || name == "HA" || name == "H" ||
         name.starts_with("OT");
}

bool cPDBAtom::isSidechain() const { return !isBackbone(); }

char cPDBAtom::getResCode() const {
  const char* code = lookUp(resCode, residueName);
  return code ? *code : 'x';
}

void cPDBAtom::setType(std::string_view residueName, std::string_view atomName, bool terminal, bool byAtomName) {
  std::string key(residueName);
  key += atomName;
  if (const int* t = lookUp(mResName, key)) {
    type = *t;
  } else if (!terminal && byAtomName && lookUp(mName, atomName)) {
    type = *lookUp(mName, atomName);
  } else if (terminal && byAtomName && lookUp(mNameTerm, atomName)) {
    type = *lookUp(mNameTerm, atomName);
  } else {
    type = -1;
  }
}

int cPDBAtom::toFile(std::FILE* out) const {
  const char* record = recordKind == 1 ? "HETATM" : "ATOM  ";
  // The precisions only cut text that is longer than its columns (never read from a file),
  // so that every later column stays where readers look for it.
  const char* format = name.size() >= 4
                           ? "%s%5d %-4.4s%c%3.3s %c%4d%c   %8.3f%8.3f%8.3f%6.2f%6.2f       %-3.4s\n"
                           : "%s%5d  %-3s%c%3.3s %c%4d%c   %8.3f%8.3f%8.3f%6.2f%6.2f       %-3.4s\n";
  return std::fprintf(out, format, record, serial, name.c_str(), alternateLocation, residueName.c_str(), chain,
                      residueNumber, insertionCode, position.x, position.y, position.z, occupancy, temperatureFactor,
                      segmentId.c_str());
}

int writeLinePDB(std::FILE* out, cPDBAtom* atom) { return atom->toFile(out); }

std::ostream& operator<<(std::ostream& os, const cPDBAtom& atom) {
  char buffer[100];
  const char* format = atom.name.size() >= 4
                           ? "ATOM  %5d %-4s%s%3s %s%4d%1s   %8.3f%8.3f%8.3f%6.2f%6.2f      %4s   %-2s"
                           : "ATOM  %5d  %-3s%s%3s %s%4d%1s   %8.3f%8.3f%8.3f%6.2f%6.2f      %4s   %-2s";
  const char chain = atom.chain == '\0' ? ' ' : atom.chain;
  std::snprintf(buffer, sizeof buffer, format, atom.serial, atom.name.c_str(), charText(atom.alternateLocation).c_str(),
                atom.residueName.c_str(), charText(chain).c_str(), atom.residueNumber,
                charText(atom.insertionCode).c_str(), atom.position.x, atom.position.y, atom.position.z,
                atom.occupancy, atom.temperatureFactor, atom.segmentId.c_str(), atom.element.c_str());
  return os << buffer;
}

std::ostream& operator<<(std::ostream& os, cPDBAtom* atom) {
  if (atom->chain == '\0') atom->chain = ' ';
  return os << *atom;
}
