// cClassicalParserPDB: the two passes over a PDB/PQR file and its fixed-column records.
#include "structure/cClassicalParserPDB.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string_view>

// One line of the buffer: its text without the line end, and where the next line starts.
struct cClassicalParserPDB::sLine {
  const char* text;
  long length;
  long next;
  long left;  // characters from the start of the line to the end of the buffer

  // Column (1-based); a blank past the end of the line.
  char at(long column) const { return column <= length ? text[column - 1] : ' '; }
  // Columns first..last (1-based, inclusive), cut at the end of the line.
  std::string_view columns(long first, long last) const {
    if (first > length) return {};
    return std::string_view(text + first - 1, static_cast<std::size_t>(std::min(last, length) - first + 1));
  }
  // Columns first..last with blanks standing in for those past the end of the line.
  std::string padded(long first, long last) const {
    std::string s(static_cast<std::size_t>(last - first + 1), ' ');
    const std::string_view have = columns(first, last);
    s.replace(0, have.size(), have);
    return s;
  }
  bool startsWith(std::string_view prefix) const {
    return length >= static_cast<long>(prefix.size()) && std::memcmp(text, prefix.data(), prefix.size()) == 0;
  }
};

namespace {

constexpr double kDegree = 0.017453292519943295;  // radians per degree
constexpr std::string_view kMissingHeader = "REMARK 465   M RES C SSSEQI";

// The only exit of this folder: a file that cannot be read, or one whose content would corrupt
// every result.
[[noreturn]] void failToRead(const std::string& path) {
  std::printf("Error: could not open pdb file %s\n", path.c_str());
  std::exit(1);
}

[[noreturn]] void failOnLine(const std::string& path, long lineNumber, std::string_view line, const char* why) {
  std::fflush(stdout);
  std::fprintf(stderr, "Error in pdb file %s, line %ld: %s: %.*s\n", path.c_str(), lineNumber, why,
               static_cast<int>(std::min<std::size_t>(line.size(), 80)), line.data());
  std::exit(1);
}

// The text of a field as it stands in the file, control bytes (NUL above all) written as \xNN.
std::string shown(std::string_view text) {
  std::string s;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7f) {
      s += c;
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
      s += escaped;
    }
  }
  return s;
}

[[noreturn]] void failOnField(const std::string& path, long lineNumber, const std::string& what,
                              std::string_view field) {
  std::fflush(stdout);
  std::fprintf(stderr, "Error in pdb file %s, line %ld: %s: \"%s\"\n%s\n", path.c_str(), lineNumber, what.c_str(),
               shown(field).c_str(), cClassicalParserPDB::kFormatsRead);
  std::exit(1);
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view s) {
  std::size_t first = 0, last = s.size();
  while (first < last && isBlank(s[first])) ++first;
  while (last > first && isBlank(s[last - 1])) --last;
  return s.substr(first, last - first);
}

// std::from_chars for a double, and where the number ends. A plain decimal ("-12.345", as nearly
// every field is) is read directly: its digits as an integer divided by a power of ten, both
// exact doubles below 16 digits, is the correctly rounded value that std::from_chars gives too.
// Other text goes to it.
std::from_chars_result doubleFromChars(std::string_view s, double& value) {
  static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::size_t i = 0;
  const bool negative = !s.empty() && s[0] == '-';
  if (negative) ++i;
  std::uint64_t digits = 0;
  int count = 0, decimals = -1;  // -1: no point yet
  for (; i < s.size(); ++i) {
    const char c = s[i];
    if (c >= '0' && c <= '9') {
      digits = digits * 10 + static_cast<unsigned>(c - '0');
      ++count;
      if (decimals >= 0) ++decimals;
    } else if (c == '.' && decimals < 0) {
      decimals = 0;
    } else {
      break;
    }
  }
  if (i == s.size() && count > 0 && count <= 15) {
    value = static_cast<double>(digits) / kPowersOfTen[decimals > 0 ? decimals : 0];
    if (negative) value = -value;
    return {s.data() + s.size(), std::errc()};
  }
  return std::from_chars(s.data(), s.data() + s.size(), value);
}

// Like atoi/atof on a field: surrounding blanks and a '+' allowed, the longest number at the
// start taken, and 0 for text that holds none (or does not fit).
std::string_view numberText(std::string_view field) {
  field = trimmed(field);
  if (!field.empty() && field[0] == '+') field.remove_prefix(1);
  return field;
}

int parseInt(std::string_view field) {
  const std::string_view s = numberText(field);
  int value = 0;
  if (std::from_chars(s.data(), s.data() + s.size(), value).ec != std::errc()) return 0;
  return value;
}

double parseDouble(std::string_view field) {
  const std::string_view s = numberText(field);
  double value = 0.0;
  if (doubleFromChars(s, value).ec != std::errc()) return 0.0;
  return value;
}

// Reads a field that holds one number over its whole width (blanks around it and a '+'
// allowed); false for anything else: blank, "abc.de", "1.2.3.4", "12.5ab", "+-1". A number out
// of the double range is still one number: overflow gives infinity, underflow (nearly) 0.
bool readOneNumber(std::string_view field, double& value) {
  const std::string_view s = numberText(field);
  if (s.empty() || (s[0] == '-' && s.data() != field.data() && s.data()[-1] == '+')) return false;
  const std::from_chars_result read = doubleFromChars(s, value);
  if (read.ptr != s.data() + s.size()) return false;
  if (read.ec == std::errc::result_out_of_range) value = std::strtod(std::string(s).c_str(), nullptr);
  return read.ec == std::errc() || read.ec == std::errc::result_out_of_range;
}

constexpr long kCoordinateWidth = 8;  // columns of x, y and z each

// Coordinates are kept at single precision, as the file's three decimals need no more. A field
// that is not one number over its whole width, "nan", "inf" and values beyond the float range
// give NaN, which the reader refuses: read leniently, a line that ends inside the field, a blank
// field, "abc.de" or "1.2.3.4" would give 0 or the number the text starts with, and move the
// atom there without a word.
double parseCoordinate(std::string_view field) {
  double value = 0.0;
  if (static_cast<long>(field.size()) < kCoordinateWidth || !readOneNumber(field, value) ||
      !(std::fabs(value) <= std::numeric_limits<float>::max()))
    return std::numeric_limits<double>::quiet_NaN();
  return static_cast<float>(value);
}

// Why a coordinate field read as NaN, or null when it holds one number (that is not finite).
const char* coordinateFault(std::string_view field) {
  double value = 0.0;
  if (static_cast<long>(field.size()) < kCoordinateWidth) return "is cut short by the end of the line";
  if (trimmed(field).empty()) return "is blank";
  return readOneNumber(field, value) ? nullptr : "is not one number";
}

bool isLetter(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }
char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

int modeFromPath(const std::string& path) {
  const auto dot = path.find_last_of('.');
  if (dot == std::string::npos) return cClassicalParserPDB::eOtherMode;
  std::string extension = path.substr(dot + 1);
  for (char& c : extension) c = lower(c);
  if (extension == "pdb") return cClassicalParserPDB::ePDB;
  if (extension == "pqr") return cClassicalParserPDB::ePQR;
  return cClassicalParserPDB::eOtherMode;
}

void setComponent(cVector3& v, int i, double value) { (i == 0 ? v.x : i == 1 ? v.y : v.z) = value; }

}  // namespace

cClassicalParserPDB::cClassicalParserPDB() {
  cPDBAtom::initMaps();
  cPDBAtom::initResCodes();
}

// ---------------------------------------------------------------------------------------------
// Lines and their classification

cClassicalParserPDB::sLine cClassicalParserPDB::lineIn(const char* text, long textSize, long at) {
  const char* start = text + at;
  const long left = textSize - at;
  const void* newline = left > 0 ? std::memchr(start, '\n', static_cast<std::size_t>(left)) : nullptr;
  long length = newline ? static_cast<const char*>(newline) - start : std::max(left, 0L);
  const long next = newline ? at + length + 1 : textSize;
  if (length > 0 && start[length - 1] == '\r') --length;  // CRLF line ends
  return sLine{start, length, next, left};
}

int cClassicalParserPDB::classify(const sLine& line, bool readOrigx, bool announceMissing, int* residueNumber,
                                  char* chain, std::string* residueName, std::string* atomName) {
  if (line.left < 6) return eBufferEnd;
  if (line.startsWith("ATOM ") || line.startsWith("HETATM")) {
    const bool atom = line.text[0] == 'A';
    if (residueNumber) *residueNumber = parseInt(line.columns(23, 26));
    if (chain) *chain = line.at(22);
    if (atom && residueName) *residueName = line.padded(18, 20);
    if (atom && atomName) *atomName = trimmed(line.columns(13, 16));
    return atom ? eAtom : eHetatm;
  }
  if (line.startsWith("TER")) return eTer;
  if (line.startsWith("ORIGX")) {
    const int row = line.at(6) - '1';
    if (readOrigx && row >= 0 && row < 3) {  // any other digit names no row of the transform
      origx.rotation(row, 0) = parseDouble(line.columns(11, 20));
      origx.rotation(row, 1) = parseDouble(line.columns(21, 30));
      origx.rotation(row, 2) = parseDouble(line.columns(31, 40));
      setComponent(origx.translation, row, parseDouble(line.columns(46, 55)));
    }
    return eOrigx;
  }
  if (line.startsWith("ENDMDL")) return eEndmdl;
  if (line.startsWith("END")) return eEnd;
  if (line.startsWith("REMARK")) {
    if (line.startsWith(kMissingHeader)) {
      missingHeaderSeen = 1;
      if (announceMissing) std::printf("Missing Residues:\n");
      return eRemark;
    }
    return missingHeaderSeen && line.startsWith("REMARK 465") ? eMissingResidue : eRemark;
  }
  if (line.startsWith("CRYST1")) return eCryst1;
  if (line.startsWith("MODEL")) return eModel;
  return eOther;
}

int cClassicalParserPDB::readPDBLine(const char* text, long at, long textSize, int& residueNumber, char& chain,
                                     std::string& residueName, std::string& atomName) {
  if (at < 0 || at > textSize) return eBufferEnd;
  return classify(lineIn(text, textSize, at), true, false, &residueNumber, &chain, &residueName, &atomName);
}

int cClassicalParserPDB::readPDBLine(const char* text, long at, long textSize) {
  if (at < 0 || at > textSize) return eBufferEnd;
  return classify(lineIn(text, textSize, at), false, true, nullptr, nullptr, nullptr, nullptr);
}

// ---------------------------------------------------------------------------------------------
// First pass

void cClassicalParserPDB::loadFile(const std::string& path) {
  // Anything that keeps the whole file from reaching the buffer (a directory, a short read) is
  // reported like a file that cannot be opened; a buffer that finds no memory throws
  // std::bad_alloc, which the program reports as memory running out.
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) failToRead(path);
  struct stat info {};
  if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) failToRead(path);
  // A pipe (`<(zcat x.pdb.gz)`, /dev/stdin) has no size to ask for: it is read to its end once.
  if (!S_ISREG(info.st_mode)) {
    loadStream(file);
    return;
  }
  if (std::fseek(file, 0, SEEK_END) != 0) failToRead(path);
  const long end = std::ftell(file);  // long: files over 2 GiB keep their size
  if (end < 0 || std::fseek(file, 0, SEEK_SET) != 0) failToRead(path);
  buffer.reset();
  size = 0;
  buffer.reset(new char[static_cast<std::size_t>(end) + 1]);
  if (std::fread(buffer.get(), 1, static_cast<std::size_t>(end), file) != static_cast<std::size_t>(end))
    failToRead(path);
  std::fclose(file);  // everything needed is in the buffer
  size = end;
}

void cClassicalParserPDB::loadStream(std::FILE* file) {
  buffer.reset();
  size = 0;
  std::size_t capacity = 1 << 16;
  buffer.reset(new char[capacity + 1]);
  for (;;) {
    size += static_cast<long>(std::fread(buffer.get() + size, 1, capacity - static_cast<std::size_t>(size), file));
    if (static_cast<std::size_t>(size) < capacity) break;
    std::unique_ptr<char[]> grown(new char[2 * capacity + 1]);
    std::memcpy(grown.get(), buffer.get(), capacity);
    buffer = std::move(grown);
    capacity *= 2;
  }
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) failToRead(path);
}

int cClassicalParserPDB::readFile(const std::string& path, int& nChains, int& nAtoms, int separator, int hetatm) {
  chainSeparator = separator;
  readHetatm = hetatm;
  cursor = 0;
  mode = modeFromPath(path);
  this->path = path;
  loadFile(path);
  nChains = nAtoms = atomRecords = 0;
  missingHeaderSeen = 0;
  atomsAfterEnd = false;
  sequences.clear();

  bool chainOpen = false;
  char previousChain = '\0';  // chain of the previous atom record

  // Residue range of each chain: a run of atom records starts at a chain change or after a
  // model boundary, and ends at the first line that is no atom record.
  bool runOpen = false, boundarySeen = true;
  char runChain = '\0';
  int runLastResidue = 0;
  auto endRun = [&] {
    cSequence& seq = sequences[static_cast<unsigned char>(runChain)];
    const auto& missing = seq.missingResidues;
    seq.lastFromAtoms = missing.empty() || runLastResidue > missing.back();
    seq.lastResidue = seq.lastFromAtoms ? runLastResidue : missing.back();
    runOpen = false;
  };
  auto startRun = [&](char chain, int residue) {
    cSequence& seq = sequences[static_cast<unsigned char>(chain)];
    const auto& missing = seq.missingResidues;
    seq.firstFromAtoms = missing.empty() || residue < missing.front();
    seq.firstResidue = seq.firstFromAtoms ? residue : missing.front();
    seq.offset = 1 - seq.firstResidue;
  };

  int code = eBufferEnd, residueNumber = 0;
  char chain = '\0';
  for (;;) {
    const sLine line = lineIn(buffer.get(), size, cursor);
    code = classify(line, true, false, &residueNumber, &chain, nullptr, nullptr);
    if (code == eEnd || code == eBufferEnd) break;
    if (code == eAtom || code == eHetatm) ++atomRecords;
    const bool atom = code == eAtom || (code == eHetatm && readHetatm);
    if (atom) {
      ++nAtoms;
      if (chainSeparator == eChainIdOrTer && chainOpen && chain != previousChain) ++nChains;
      if (boundarySeen || chain != previousChain) startRun(chain, residueNumber);
      boundarySeen = false;
      chainOpen = runOpen = true;
      previousChain = runChain = chain;
      runLastResidue = residueNumber;
    } else {
      if (runOpen) endRun();
      if (code == eTer && chainOpen && chainSeparator != eEndmdlOnly) {
        ++nChains;
        chainOpen = false;
      } else if (code == eEndmdl && chainSeparator == eEndmdlOnly) {
        ++nChains;  // also after a model without atoms
        chainOpen = false;
      } else if (code == eMissingResidue) {
        readMissResRecordFields(line.text, line.length);
      }
      if (code == eModel || code == eEndmdl) boundarySeen = true;
    }
    cursor = line.next;
  }
  if (runOpen) endRun();
  if (chainOpen) ++nChains;

  // Atom records after END are not read, only noticed.
  if (code == eEnd) {
    for (cursor = lineIn(buffer.get(), size, cursor).next;; ) {
      const sLine line = lineIn(buffer.get(), size, cursor);
      code = classify(line, true, false, &residueNumber, &chain, nullptr, nullptr);
      if (code == eAtom || (code == eHetatm && readHetatm)) {
        atomsAfterEnd = true;
        break;
      }
      if (code == eBufferEnd) break;
      cursor = line.next;
    }
  }
  countedChains = nChains;
  countedAtoms = nAtoms;
  return code;
}

// ---------------------------------------------------------------------------------------------
// Second pass

void cClassicalParserPDB::parseFields(cPDBSegment* segments, cPDBAtom* atoms, bool aminoOrNucleicOnly,
                                      char skipChain) {
  parseInto(segments, [atoms](int k) -> cPDBAtom& { return atoms[k]; }, aminoOrNucleicOnly, skipChain);
}

template <class Slot>
void cClassicalParserPDB::parseInto(cPDBSegment* segments, Slot&& slot, bool aminoOrNucleicOnly, char skipChain) {
  keptAtoms = segmentCount = waterAtoms = 0;
  cursor = 0;
  missingHeaderSeen = 0;
  char previousAltLoc = ' ';  // alternate location of the last kept atom
  char previousChain = '\0';
  bool segmentOpen = false;
  int segmentStart = 0, segmentFirstResidue = 0, lastResidue = 0;

  // Both passes delimit chains by the same rules, so the counts of readFile bound every
  // index below; the checks only make sure of it.
  auto closeSegment = [&] {
    if (segmentCount < countedChains) {
      cPDBSegment& segment = segments[segmentCount];
      segment.firstAtom = segmentStart;
      segment.atomCount = keptAtoms - segmentStart;
      segment.firstResidue = segmentFirstResidue;
      segment.lastResidue = lastResidue;
      ++segmentCount;
    }
    segmentStart = keptAtoms;
  };

  int residueNumber = 0;
  char chain = '\0';
  int record = -1;      // ordinal of the current ATOM/HETATM record
  long lineNumber = 0;  // of the current line, from 1
  for (;;) {
    const sLine line = lineIn(buffer.get(), size, cursor);
    const int code = classify(line, true, false, &residueNumber, &chain, nullptr, nullptr);
    if (code == eEnd || code == eBufferEnd) break;
    cursor = line.next;
    ++lineNumber;
    if (code == eAtom || code == eHetatm) ++record;
    if (code == eCryst1) {
      readCrystRecordFields(line.text, line.length);
      continue;
    }
    if (skipChain != ' ' && chain == skipChain) continue;
    if (code == eHetatm && !readHetatm) continue;

    if (code == eAtom || code == eHetatm) {
      if (!segmentOpen) {
        segmentFirstResidue = residueNumber;
      } else if (chainSeparator == eChainIdOrTer && chain != previousChain) {
        closeSegment();
        segmentFirstResidue = residueNumber;
      }
      segmentOpen = true;
      previousChain = chain;
      lastResidue = residueNumber;
      if (keptAtoms >= countedAtoms) continue;

      // A dropped atom leaves its slot to the next one.
      cPDBAtom& atom = slot(keptAtoms);
      readPDBRecordFields(line.text, &atom, line.length);
      // No text file holds a NUL byte: such a record is damaged, not a chain of its own.
      if (chain == '\0')
        failOnField(path, lineNumber, "the chain identifier (column 22) is a NUL byte", line.columns(22, 22));
      // One such atom would turn every axis, centre and deviation into NaN.
      if (!std::isfinite(atom.position.x) || !std::isfinite(atom.position.y) || !std::isfinite(atom.position.z)) {
        for (int axis = 0; axis < 3; ++axis) {
          const long first = 31 + kCoordinateWidth * axis, last = first + kCoordinateWidth - 1;
          const std::string_view field = line.columns(first, last);
          if (const char* fault = coordinateFault(field))
            failOnField(path, lineNumber,
                        std::string(1, "xyz"[axis]) + " coordinate (columns " + std::to_string(first) + "-" +
                            std::to_string(last) + ") " + fault,
                        field);
        }
        failOnLine(path, lineNumber, std::string_view(line.text, static_cast<std::size_t>(line.length)),
                   "coordinate that is not a finite number");
      }
      atom.recordOrdinal = record;
      atom.residueType = cPDBAtom::findResType(atom.residueName);
      atom.recordKind = code == eAtom ? 0 : 1;
      const int key = cPeriodicTable::packElementSymbol(atom.element);
      const elementInformation* info = elements.find(key);
      atom.radius = info ? info->radius : 1.0f;
      atom.mass = info ? info->mass : 1.0f;
      atom.index = keptAtoms;
      atom.segmentIndex = segmentCount;

      if (atom.isWater()) {
        if (!atom.isHydrogen()) ++waterAtoms;
        continue;
      }
      if (atom.isHydrogen()) continue;
      // Of alternate locations the first is kept: after a kept 'A' a 'B' is dropped, while a
      // blank or 'A' always passes and everything passes after a kept blank.
      const auto p = static_cast<unsigned char>(previousAltLoc);
      const auto c = static_cast<unsigned char>(atom.alternateLocation);
      if (!(p == ' ' || p >= c || c <= 'A')) continue;
      if (aminoOrNucleicOnly && !atom.isAMINO() && !atom.isNucleic()) continue;

      if (atom.isCA() && segmentCount < countedChains)  // the first CA of a number names the residue
        segments[segmentCount].residues.emplace(atom.residueNumber, atom.getResCode());
      previousAltLoc = atom.alternateLocation;
      ++keptAtoms;
    } else if (code == eTer && segmentOpen && chainSeparator != eEndmdlOnly) {
      closeSegment();
      segmentOpen = false;
    } else if (code == eEndmdl && chainSeparator == eEndmdlOnly) {
      closeSegment();
      segmentOpen = false;
    }
  }
  if (segmentOpen) closeSegment();
}

void cClassicalParserPDB::parseFields(std::vector<cPDBSegment>& segments, std::vector<cPDBAtom>& atoms,
                                      bool aminoOrNucleicOnly, char skipChain) {
  segments.assign(static_cast<std::size_t>(countedChains), cPDBSegment());
  // Atoms are constructed as they are read (a slot stays for the next atom when one is dropped),
  // so that a large file is written to memory once.
  atoms.clear();
  atoms.reserve(static_cast<std::size_t>(countedAtoms));
  parseInto(
      segments.data(),
      [&atoms](int k) -> cPDBAtom& {
        if (static_cast<std::size_t>(k) == atoms.size()) atoms.emplace_back();
        return atoms[static_cast<std::size_t>(k)];
      },
      aminoOrNucleicOnly, skipChain);
  segments.resize(static_cast<std::size_t>(segmentCount));
  atoms.resize(static_cast<std::size_t>(keptAtoms));
}

// ---------------------------------------------------------------------------------------------
// Records

int cClassicalParserPDB::readPDBRecordFields(const char* text, cPDBAtom* atom, long length) const {
  const sLine line{text, length, length, length};
  atom->serial = parseInt(line.columns(7, 11));
  atom->name = trimmed(line.columns(13, 16));
  atom->alternateLocation = line.at(17);
  atom->residueName = line.padded(18, 20);
  atom->chain = line.at(22);
  atom->residueNumber = parseInt(line.columns(23, 26));
  atom->insertionCode = line.at(27);
  readPDBCoords(text, atom->position, length);

  atom->occupancy = atom->temperatureFactor = atom->pqrCharge = atom->pqrRadius = 0.0f;
  if (length > 54) {
    const auto first = static_cast<float>(parseDouble(line.columns(55, 60)));
    const auto second = static_cast<float>(parseDouble(line.columns(61, 66)));
    if (mode == ePQR) {
      atom->pqrCharge = first;
      atom->pqrRadius = second;
    } else {
      atom->occupancy = first;
      atom->temperatureFactor = second;
    }
  }
  atom->segmentId = length >= 73 ? trimmed(line.columns(73, 76)) : std::string_view();

  // Element columns 77-78 when they hold a letter (a right-justified one-letter symbol sits
  // in 78), else the first letter of the atom name.
  atom->element.clear();
  if (length > 76 && isLetter(line.at(77))) {
    atom->element += upper(line.at(77));
    if (isLetter(line.at(78))) atom->element += lower(line.at(78));
  } else if (isLetter(line.at(78))) {
    atom->element += upper(line.at(78));
  } else {
    for (char c : atom->name)
      if (isLetter(c)) {
        atom->element += upper(c);
        break;
      }
  }
  return 1;
}

void cClassicalParserPDB::readCrystRecordFields(const char* text, long length) {
  const sLine line{text, length, length, length};
  const double a = parseDouble(line.columns(7, 15));
  const double b = parseDouble(line.columns(16, 24));
  const double c = parseDouble(line.columns(25, 33));
  crystal.cellLengths = cVector3(a, b, c);
  crystal.cellAngles = cVector3(parseDouble(line.columns(34, 40)) * kDegree, parseDouble(line.columns(41, 47)) * kDegree,
                                parseDouble(line.columns(48, 54)) * kDegree);
  for (int i = 0; i < 11; ++i) crystal.spaceGroupName[i] = line.at(56 + i);
  crystal.writtenSpaceGroup = crystal.spaceGroupText();
  // Rhombohedral groups on hexagonal axes have an old spelling with the lattice letter H
  // ("H 3", "H 3 2"); the space-group tables know them by R. Only that letter changes: an
  // extension ":H" or ":R" names the axes and stays as written.
  int first = 0;
  while (first < 10 && crystal.spaceGroupName[first] == ' ') ++first;
  if (first < 10 && crystal.spaceGroupName[first] == 'H') {
    const char next = crystal.spaceGroupName[first + 1];
    if (next == ' ' || next == '-' || std::isdigit(static_cast<unsigned char>(next)))
      crystal.spaceGroupName[first] = 'R';
  }

  const double cosAlpha = std::cos(crystal.cellAngles.x);
  const double cosBeta = std::cos(crystal.cellAngles.y);
  const double cosGamma = std::cos(crystal.cellAngles.z);
  const double sinGamma = std::sin(crystal.cellAngles.z);
  const double f = (cosAlpha - cosBeta * cosGamma) / sinGamma;
  crystal.cellVectors[0] = cVector3(a, 0.0, 0.0);
  crystal.cellVectors[1] = cVector3(b * cosGamma, b * sinGamma, 0.0);
  crystal.cellVectors[2] = cVector3(c * cosBeta, c * f, c * std::sqrt(1.0 - cosBeta * cosBeta - f * f));
  crystal.cellRead = true;
}

void cClassicalParserPDB::readMissResRecordFields(const char* text, long length) {
  const sLine line{text, length, length, length};
  sequences[static_cast<unsigned char>(line.at(20))].missingResidues.push_back(parseInt(line.columns(22, 26)));
}

int cClassicalParserPDB::readPDBCoords(const char* text, cVector3& coords, long length) {
  const sLine line{text, length, length, length};
  coords = cVector3(parseCoordinate(line.columns(31, 38)), parseCoordinate(line.columns(39, 46)),
                    parseCoordinate(line.columns(47, 54)));
  return 1;
}

namespace {

// Moves text[first, last) to the front and terminates it when it got shorter.
int keepRange(char* text, int length, int first, int last) {
  const int kept = last - first;
  if (first > 0) std::memmove(text, text + first, static_cast<std::size_t>(kept));
  if (kept < length) text[kept] = '\0';
  return kept;
}

std::pair<int, int> blankFreeRange(const char* text, int length) {
  int first = 0, last = length;
  while (first < last && text[first] == ' ') ++first;
  while (last > first && text[last - 1] == ' ') --last;
  return {first, last};
}

}  // namespace

int cClassicalParserPDB::deleteSpacesInAString(char* text, int length) {
  const auto [first, last] = blankFreeRange(text, length);
  return keepRange(text, length, first, last);
}

int cClassicalParserPDB::deleteSpacesInAString2(char* text, int length) {
  const auto [first, last] = blankFreeRange(text, length);
  keepRange(text, length, first, last);
  return first;
}
