// DCD_R: reads a DCD trajectory (4-byte record markers, this machine's byte order):
// the header once, then one frame at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "libs/ReadDCD/DCD.h"
#include "libs/ReadDCD/DCDError.h"

// Use: DCD_R dcd(path); dcd.read_header(); then getNFramesInFile() times read_oneFrame(),
// each followed by getX(), getY(), getZ(). A file that cannot be opened, is damaged or
// ends early raises DCDError (DCDIncompleteFrame when it ends inside a frame that is sound as
// far as it goes, or holds only zero bytes from where a frame would start, or from inside a
// frame, to its end); only unequal markers around a header record end the process. X-PLOR
// files (ICNTRL[19] = 0) read as their frames: they hold no unit-cell record.
class DCD_R : public DCD {
public:
  // Opens the path; an unopenable file is reported on standard error here, and
  // read_header() then throws. Messages name the file by `name` when one is given (the path a
  // user gave for a copy read in its place), else by its path.
  explicit DCD_R(const char* path, const char* name = nullptr);
  ~DCD_R() override;

  void alloc() override;
  // Reads and checks the header, title, atom-count and free-atom records.
  void read_header();
  // Reads the next frame; a frame that is damaged or cut short leaves X, Y, Z and the
  // unit cell as they were and throws (DCDIncompleteFrame for one cut short).
  void read_oneFrame();
  void printHeader() const;

  // Complete frames stored in the file, from its size and the frame layout the header
  // gives; writers' NFILE and NSTEP often disagree with it. Zero bytes at the end count as frames
  // until read. Valid after read_header().
  long long getNFramesInFile() const { return nFramesInFile; }
  // Bytes after the last complete frame: a frame cut short, or stray bytes.
  long long getTrailingBytes() const { return trailingBytes; }
  // Where the zero bytes start when the rest of the file proved to be zeros from the start of a
  // frame or from inside it (read as the file cut there: DCDIncompleteFrame); -1 until then.
  long long getZeroTailStart() const { return zeroTailStart; }
  // Bytes in the file. Valid after read_header().
  long long getFileSize() const { return fileSize; }

private:
  [[noreturn]] void fail(const std::string& why) const;
  [[noreturn]] void failIncomplete(const std::string& why) const;
  void readBytes(void* to, std::int64_t n, const char* record);
  std::int32_t readInt(const char* record);
  void requireInFile(std::int64_t n, const char* record) const;
  void readTitles();
  void readAtomCount();
  void readFreeAtoms();
  void measureFrames();
  bool onlyZerosFrom(std::int64_t from, std::int64_t got);
  [[noreturn]] void failFrame(std::int64_t bad, std::int64_t got, const std::string& why);
  [[noreturn]] void failZeroTail(std::int64_t start);
  const char* frameRecord(std::int64_t& at, std::int64_t got, std::int64_t length, const char* record);

  std::string path;
  std::string name;  // in messages
  bool headerStarted = false;
  bool headerRead = false;
  bool damaged = false;         // a frame failed: what follows cannot be trusted
  std::int64_t fileSize = 0;    // bytes
  std::int64_t position = 0;    // bytes consumed so far, for messages
  std::int64_t firstFrameBytes = 0;
  std::int64_t frameBytes = 0;  // frames after the first
  long long nFramesInFile = 0;
  long long trailingBytes = 0;
  long long framesRead = 0;
  long long zeroTailStart = -1;
  std::vector<char> frameBuffer;  // one whole frame, read in one call
};
