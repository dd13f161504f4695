// DCD_R: the DCD trajectory reader: header, titles, atoms, free atoms, then frames.
#include "libs/ReadDCD/dcd_r.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <limits>
#include <new>

namespace {

// The marker message names these fixed positions rather than the compiled file and line,
// so that its text does not change from one build to the next.
constexpr const char* kSourceName = "libs/ReadDCD/dcd_r";
constexpr int kLineHeader = 64;
constexpr int kLineTitles = 96;
constexpr int kLineAtomCount = 102;
constexpr int kLineFreeAtoms = 115;

constexpr std::int64_t kMarkerBytes = 4;      // Fortran record length before and after
constexpr std::int64_t kHeaderBytes = 84;     // magic + 20 control words
constexpr std::int64_t kTitleLineBytes = 80;
constexpr std::int64_t kCellBytes = 48;       // 6 doubles
// A coordinate record holds 4 * NATOM bytes, and its length must fit a signed 4-byte marker.
constexpr std::int64_t kMaxAtoms = std::numeric_limits<std::int32_t>::max() / 4;

std::uint32_t swapBytes(std::uint32_t v) {
  return (v >> 24) | ((v >> 8) & 0xff00u) | ((v << 8) & 0xff0000u) | (v << 24);
}

// Four bytes of a header magic, with anything unprintable shown as \xHH.
std::string printable(const char* bytes, int n) {
  static const char hex[] = "0123456789abcdef";
  std::string s;
  for (int i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 32 && c < 127) {
      s += static_cast<char>(c);
    } else {
      s += "\\x";
      s += hex[c >> 4];
      s += hex[c & 15];
    }
  }
  return s;
}

std::string str(std::int64_t v) { return std::to_string(v); }

}  // namespace

DCD_R::DCD_R(const char* path_, const char* name_) : path(path_ ? path_ : ""), name(name_ ? name_ : path) {
  dcdf.open(path, std::ios::in | std::ios::binary);
  if (!dcdf.is_open()) {
    std::cerr << "Exception opening/reading file '" << name << "' : " << std::endl;
    std::cerr << "Please chech the path of the file and if it exists." << std::endl;
  }
  dcd_first_read = true;
}

DCD_R::~DCD_R() = default;  // DCD closes the stream and frees the arrays

void DCD_R::alloc() {
  // A file without one whole frame can never fill the arrays (a frame cut short is refused
  // before anything is stored), so a header that claims many atoms costs nothing then.
  const std::size_t n = NATOM > 0 && nFramesInFile > 0 ? static_cast<std::size_t>(NATOM) : 0;
  delete[] X;
  delete[] Y;
  delete[] Z;
  X = Y = Z = nullptr;
  // Left unset: the first frame fills every entry.
  X = new float[n];
  Y = new float[n];
  Z = new float[n];
  std::fill(pbc, pbc + 6, 0.0);
}

void DCD_R::fail(const std::string& why) const {
  throw DCDError("DCD file '" + name + "': " + why);
}

void DCD_R::failIncomplete(const std::string& why) const {
  throw DCDIncompleteFrame("DCD file '" + name + "': " + why);
}

void DCD_R::readBytes(void* to, std::int64_t n, const char* record) {
  if (n <= 0) return;
  dcdf.read(static_cast<char*>(to), n);
  if (dcdf.gcount() != n)
    fail(std::string("the file ends inside the ") + record + " (" + str(n) + " bytes wanted at byte " +
         str(position) + ", " + str(dcdf.gcount()) + " present)");
  position += n;
}

std::int32_t DCD_R::readInt(const char* record) {
  std::int32_t v = 0;
  readBytes(&v, sizeof v, record);
  return v;
}

// Checked before anything is allocated from a length the file gives, so that a hostile
// count cannot ask for more memory than the file could fill.
void DCD_R::requireInFile(std::int64_t n, const char* record) const {
  if (n > fileSize - position)
    fail(std::string("the ") + record + " needs " + str(n) + " more bytes from byte " + str(position) +
         ", but the file holds " + str(fileSize) + " bytes");
}

void DCD_R::read_header() {
  // Once only: a second pass would start in the middle of the file.
  if (headerStarted) fail(headerRead ? "the header has already been read" : "the header could not be read");
  headerStarted = true;
  if (!dcdf.is_open()) fail("the file could not be opened");
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) fail("cannot tell the size of the file: " + ec.message());
  fileSize = static_cast<std::int64_t>(size);
  if (fileSize < kMarkerBytes) fail("the file holds " + str(fileSize) + " bytes, too few for a DCD header");

  // 1. Header record: magic and the 20 control words.
  const std::int32_t m1 = readInt("header record");
  if (m1 != kHeaderBytes) {
    if (swapBytes(static_cast<std::uint32_t>(m1)) == kHeaderBytes)
      fail("the file is in the other byte order (its first record marker reads 84 only when byte-swapped); "
           "convert it to this machine's byte order first");
    fail("not a DCD file: the first record marker is " + str(m1) + ", expected 84");
  }
  readBytes(HDR, 4, "header record");
  HDR[4] = '\0';
  readBytes(ICNTRL, sizeof ICNTRL, "header record");
  // With 8-byte record markers the upper half of the first marker reads as a magic of four
  // NULs, and the real magic follows where the first control word should be.
  const char* word0 = reinterpret_cast<const char*>(ICNTRL);
  if (std::memcmp(HDR, "\0\0\0\0", 4) == 0 &&
      (std::memcmp(word0, "CORD", 4) == 0 || std::memcmp(word0, "VELD", 4) == 0))
    fail("the file uses 8-byte record markers; only 4-byte markers can be read");
  const std::int32_t m2 = readInt("header record");
  checkFortranIOerror(kSourceName, kLineHeader, m1, m2);
  if (std::strcmp(HDR, "CORD") != 0 && std::strcmp(HDR, "VELD") != 0)
    fail("not a DCD file: the header magic is '" + printable(HDR, 4) + "', expected 'CORD' or 'VELD'");

  NFILE = ICNTRL[0];
  NPRIV = ICNTRL[1];
  NSAVC = ICNTRL[2];
  NSTEP = ICNTRL[3];
  NDEGF = ICNTRL[7];
  FROZAT = ICNTRL[8];
  DELTA4 = ICNTRL[9];
  CHARMV = ICNTRL[19];
  // X-PLOR files (version word 0) keep a double time step in ICNTRL[9] and [10]: word 10 is
  // half of it, not a unit-cell flag, and their frames hold no cell record.
  QCRYS = CHARMV != 0 ? ICNTRL[10] : 0;
  // CHARMM 4-D dynamics stores a fourth coordinate record per frame, with the same length
  // as the others: read as X, Y, Z it would shift every later frame silently.
  if (CHARMV != 0 && ICNTRL[11] != 0)
    fail("4-D trajectories (ICNTRL[11] = " + str(ICNTRL[11]) + ") are not supported");

  readTitles();
  readAtomCount();
  readFreeAtoms();
  measureFrames();
  try {
    alloc();
  } catch (const std::bad_alloc&) {
    fail("no memory for the coordinates of " + str(NATOM) + " atoms");
  }
  headerRead = true;
}

// 2. Title record: NTITLE, then NTITLE lines of 80 characters.
void DCD_R::readTitles() {
  const std::int32_t m1 = readInt("title record");
  NTITLE = readInt("title record");
  if (NTITLE < 0) fail("the title count NTITLE is " + str(NTITLE));
  const std::int64_t textBytes = kTitleLineBytes * NTITLE;
  if (m1 != kMarkerBytes + textBytes)
    fail("the title record holds " + str(m1) + " bytes, but NTITLE = " + str(NTITLE) + " needs " +
         str(kMarkerBytes + textBytes));
  requireInFile(textBytes + kMarkerBytes, "title record");
  // Without titles TITLE still holds one empty 80-character line.
  TITLE = new char[static_cast<std::size_t>(std::max(textBytes, kTitleLineBytes)) + 1]();
  readBytes(TITLE, textBytes, "title record");
  TITLE[textBytes] = '\0';
  const std::int32_t m2 = readInt("title record");
  checkFortranIOerror(kSourceName, kLineTitles, m1, m2);
}

// 3. Atom-count record, and the fixed-atom count of the header checked against it.
void DCD_R::readAtomCount() {
  const std::int32_t m1 = readInt("atom-count record");
  if (m1 != kMarkerBytes) fail("the atom-count record holds " + str(m1) + " bytes, expected 4");
  NATOM = readInt("atom-count record");
  const std::int32_t m2 = readInt("atom-count record");
  checkFortranIOerror(kSourceName, kLineAtomCount, m1, m2);
  if (NATOM <= 0) fail("the atom count NATOM is " + str(NATOM) + "; a trajectory needs at least one atom");
  if (NATOM > kMaxAtoms)
    fail("the atom count NATOM = " + str(NATOM) + " is too large for a coordinate record (at most " +
         str(kMaxAtoms) + ")");
  if (FROZAT < 0 || FROZAT >= NATOM)
    fail("the fixed-atom count FROZAT = " + str(FROZAT) + " lies outside 0.." + str(NATOM - 1) +
         " (NATOM = " + str(NATOM) + ")");
  LNFREAT = NATOM - FROZAT;
}

// 4. Free-atom record, present only when some atoms are fixed: later frames store the
// free atoms alone, in this order.
void DCD_R::readFreeAtoms() {
  if (FROZAT == 0) return;
  const std::int64_t bytes = 4 * static_cast<std::int64_t>(LNFREAT);
  const std::int32_t m1 = readInt("free-atom record");
  if (m1 != bytes)
    fail("the free-atom record holds " + str(m1) + " bytes, but " + str(LNFREAT) + " free atoms need " +
         str(bytes));
  requireInFile(bytes + kMarkerBytes, "free-atom record");
  FREEAT = new int[LNFREAT];
  readBytes(FREEAT, bytes, "free-atom record");
  const std::int32_t m2 = readInt("free-atom record");
  checkFortranIOerror(kSourceName, kLineFreeAtoms, m1, m2);
  for (int i = 0; i < LNFREAT; ++i)
    if (FREEAT[i] < 1 || FREEAT[i] > NATOM)
      fail("free-atom index " + str(FREEAT[i]) + " (entry " + str(i + 1) + ") lies outside 1.." + str(NATOM));
}

// Frame sizes follow from the header alone, so the file size tells how many frames are
// really stored, whatever NFILE and NSTEP say.
void DCD_R::measureFrames() {
  const std::int64_t cell = QCRYS != 0 ? kMarkerBytes + kCellBytes + kMarkerBytes : 0;
  firstFrameBytes = cell + 3 * (2 * kMarkerBytes + 4 * static_cast<std::int64_t>(NATOM));
  frameBytes = cell + 3 * (2 * kMarkerBytes + 4 * static_cast<std::int64_t>(LNFREAT));
  // Bytes short of a first frame are read as that frame, which tells a frame cut short from a
  // header that claims more atoms than the frames hold.
  const std::int64_t rest = fileSize - position;
  nFramesInFile = rest < firstFrameBytes ? 0 : 1 + (rest - firstFrameBytes) / frameBytes;
  trailingBytes = nFramesInFile == 0 ? rest : (rest - firstFrameBytes) % frameBytes;
}

// The next record of the frame held in frameBuffer, from byte `at`: checks its length and
// markers and returns its body.
const char* DCD_R::frameRecord(std::int64_t& at, std::int64_t got, std::int64_t length, const char* record) {
  const std::string where = "frame " + str(framesRead + 1) + ": ";
  if (at + kMarkerBytes > got)
    failIncomplete(where + "the file ends before the " + record + " (byte " + str(position + at) + ")");
  std::int32_t m1, m2;
  std::memcpy(&m1, frameBuffer.data() + at, sizeof m1);
  if (m1 != length)
    failFrame(at, got,
              where + "the " + record + " at byte " + str(position + at) + " holds " + str(m1) + " bytes, expected " +
                  str(length));
  if (at + kMarkerBytes + length + kMarkerBytes > got)
    failIncomplete(where + "the file ends inside the " + record + " (byte " + str(position + at) + ")");
  const char* body = frameBuffer.data() + at + kMarkerBytes;
  std::memcpy(&m2, body + length, sizeof m2);
  // Unlike a header record's, a frame's unequal markers leave the frames before it usable.
  if (m2 != m1)
    failFrame(at + kMarkerBytes + length, got,
              where + "the " + record + " at byte " + str(position + at) + " ends with the marker " + str(m2) +
                  ", expected " + str(m1));
  at += kMarkerBytes + length + kMarkerBytes;
  return body;
}

// A marker that fails at byte `bad` of the frame in frameBuffer, when the file holds only zero
// bytes from there to its end, is what a crash in mid-write leaves inside a frame (whole zeroed
// blocks, rarely on a frame boundary): the file cut where the zeros start, however far into the
// frame that is. Zeros followed by anything else are damage.
void DCD_R::failFrame(std::int64_t bad, std::int64_t got, const std::string& why) {
  if (!onlyZerosFrom(bad, got)) fail(why);
  // The zeros often start before the marker that shows them, inside a record's body; they are
  // named from the first whole zero word (records and values are 4-byte words from the frame's
  // start), so that the zero upper bytes of a marker before them do not count.
  std::int64_t start = bad;
  while (start > 0 && frameBuffer[static_cast<std::size_t>(start - 1)] == 0) --start;
  failZeroTail((start + 3) / 4 * 4);
}

void DCD_R::failZeroTail(std::int64_t start) {
  zeroTailStart = position + start;
  failIncomplete("frame " + str(framesRead + 1) + ": the file holds only zero bytes from byte " + str(zeroTailStart) +
                 " to its end at byte " + str(fileSize));
}

// Whether the file holds nothing but zero bytes from byte `from` of the frame in frameBuffer (got
// bytes of it) to its end: what a file system can leave after a crash in mid-write. No frame
// starts so, since its first record marker is never 0. The rest of the file is read only when
// the buffer is zero from there, and then the frame is lost anyway; asked again after a "no",
// the bytes read the first time are missing from the count, so the answer stays "no".
bool DCD_R::onlyZerosFrom(std::int64_t from, std::int64_t got) {
  const auto zero = [](const char* begin, std::int64_t n) {
    return std::all_of(begin, begin + n, [](char c) { return c == 0; });
  };
  if (!zero(frameBuffer.data() + from, got - from)) return false;
  std::vector<char> chunk(1 << 16);
  for (std::int64_t left = fileSize - position - got; left > 0;) {
    dcdf.read(chunk.data(), static_cast<std::streamsize>(std::min<std::int64_t>(left, chunk.size())));
    const std::int64_t n = dcdf.gcount();
    if (n <= 0 || !zero(chunk.data(), n)) return false;
    left -= n;
  }
  return true;
}

void DCD_R::read_oneFrame() {
  if (!headerRead) fail("no frame can be read before the header");
  if (damaged) fail("no frame can be read after a damaged one");
  const bool first = dcd_first_read;
  const std::int64_t n = first ? NATOM : LNFREAT;
  // No more than the file holds: a header-only file may claim any number of atoms.
  const std::int64_t want =
      std::min(first ? firstFrameBytes : frameBytes, std::max<std::int64_t>(fileSize - position, 0));
  if (static_cast<std::int64_t>(frameBuffer.size()) < want) frameBuffer.resize(static_cast<std::size_t>(want));

  // The whole frame in one read; nothing is stored until every record has been checked.
  dcdf.read(frameBuffer.data(), want);
  const std::int64_t got = dcdf.gcount();
  if (got == 0)
    fail("there is no frame " + str(framesRead + 1) + ": the file holds " + str(nFramesInFile) +
         (nFramesInFile == 1 ? " complete frame" : " complete frames"));
  damaged = true;  // until every record of the frame has been checked
  if (onlyZerosFrom(0, got)) failZeroTail(0);
  std::int64_t at = 0;
  const char* cell = QCRYS != 0 ? frameRecord(at, got, kCellBytes, "unit-cell record") : nullptr;
  const char* xs = frameRecord(at, got, 4 * n, "X record");
  const char* ys = frameRecord(at, got, 4 * n, "Y record");
  const char* zs = frameRecord(at, got, 4 * n, "Z record");
  damaged = false;

  if (cell) std::memcpy(pbc, cell, sizeof pbc);
  if (first || LNFREAT == NATOM) {
    std::memcpy(X, xs, 4 * n);
    std::memcpy(Y, ys, 4 * n);
    std::memcpy(Z, zs, 4 * n);
  } else {
    // Fixed atoms keep the coordinates of the first frame.
    for (std::int64_t i = 0; i < n; ++i) {
      const int a = FREEAT[i] - 1;
      std::memcpy(&X[a], xs + 4 * i, 4);
      std::memcpy(&Y[a], ys + 4 * i, 4);
      std::memcpy(&Z[a], zs + 4 * i, 4);
    }
  }
  dcd_first_read = false;
  position += got;
  ++framesRead;
}

void DCD_R::printHeader() const {
  std::cout << "HDR :\t" << HDR << std::endl;
  std::cout << "ICNTRL :\t";
  for (int w : ICNTRL) std::cout << w << "\t";
  std::cout << std::endl;
  std::cout << "NTITLE :\t" << NTITLE << std::endl;
  std::cout << "TITLE :\t" << (TITLE ? TITLE : "") << std::endl;
  std::cout << "NATOM :\t" << NATOM << std::endl;
  std::cout << "LNFREAT :\t" << LNFREAT << std::endl;
}
