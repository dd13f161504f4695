// Tests of DCD_R: real and synthetic trajectories read to their expected dumps, and
// damaged, hostile or unsupported files rejected with a clear message.
#include "libs/ReadDCD/dcd_r.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <unistd.h>

#include "dcdBytes.h"
#include "expectedDump.h"

namespace {

std::string dataPath(const std::string& name) { return std::string(QUORIX_TEST_DATA) + "/dcd/" + name; }

// Header, titles and free atoms as the independent reader saw them.
void expectHeader(const DCD_R& dcd, const ExpectedDump& want) {
  EXPECT_STREQ(dcd.getHDR(), want.hdr.c_str());
  ASSERT_EQ(want.icntrl.size(), 20u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(dcd.getICNTRL()[i], want.icntrl[i]) << "ICNTRL[" << i << "]";
  EXPECT_EQ(dcd.getNFILE(), want.icntrl[0]);
  EXPECT_EQ(dcd.getNSTEP(), want.icntrl[3]);
  EXPECT_EQ(dcd.getFROZAT(), want.icntrl[8]);
  EXPECT_EQ(dcd.getQCRYS(), want.icntrl[10]);
  EXPECT_EQ(dcd.getCHARMV(), want.icntrl[19]);
  EXPECT_EQ(dcd.getNTITLE(), want.nTitle);
  ASSERT_EQ(static_cast<int>(want.titles.size()), want.nTitle);
  for (int i = 0; i < want.nTitle; ++i)
    EXPECT_EQ(std::string(dcd.getTITLE() + 80 * i, 80), want.titles[i]) << "title line " << i;
  EXPECT_EQ(dcd.getTITLE()[80 * want.nTitle], '\0');
  EXPECT_EQ(dcd.getNATOM(), want.nAtoms);
  EXPECT_EQ(dcd.getLNFREAT(), want.nFreeAtoms);
  if (want.nFreeAtoms == want.nAtoms) {
    EXPECT_EQ(dcd.getFREEAT(), nullptr);
  } else {
    for (std::size_t i = 0; i < want.freeAtoms.size(); ++i) EXPECT_EQ(dcd.getFREEAT()[i], want.freeAtoms[i]);
  }
}

// Coordinates of every atom the dump lists, the unit cell bit for bit, and the sums that
// cover the atoms it leaves out.
void expectFrame(const DCD_R& dcd, const ExpectedFrame& want, std::size_t k) {
  SCOPED_TRACE("frame " + std::to_string(k));
  if (!want.cell.empty()) {
    ASSERT_EQ(want.cell.size(), 6u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(dcd.getPbc()[i], want.cell[i]) << "cell value " << i;
  }
  for (const ExpectedAtom& a : want.atoms) {
    EXPECT_EQ(dcd.getX()[a.index], a.x) << "atom " << a.index;
    EXPECT_EQ(dcd.getY()[a.index], a.y) << "atom " << a.index;
    EXPECT_EQ(dcd.getZ()[a.index], a.z) << "atom " << a.index;
  }
  double sum[3] = {0.0, 0.0, 0.0};
  for (int i = 0; i < dcd.getNATOM(); ++i) {
    sum[0] += static_cast<double>(dcd.getX()[i]);
    sum[1] += static_cast<double>(dcd.getY()[i]);
    sum[2] += static_cast<double>(dcd.getZ()[i]);
  }
  for (int i = 0; i < 3; ++i) EXPECT_EQ(sum[i], want.sum[i]) << "sum " << i;
}

// Reads the whole file and compares it with its dump; one read past the end must fail.
void expectReadsAsDumped(const std::string& name) {
  SCOPED_TRACE(name);
  const ExpectedDump want = readExpectedDump(dataPath(name + ".expected.txt"));
  const std::string path = dataPath(name + ".dcd");
  DCD_R dcd(path.c_str());
  ASSERT_NO_THROW(dcd.read_header());
  expectHeader(dcd, want);
  ASSERT_EQ(dcd.getNFramesInFile(), want.nFramesInFile);
  ASSERT_EQ(static_cast<long long>(want.frames.size()), want.nFramesInFile);
  EXPECT_EQ(dcd.getTrailingBytes(), want.trailingBytes);
  for (std::size_t k = 0; k < want.frames.size(); ++k) {
    ASSERT_NO_THROW(dcd.read_oneFrame()) << "frame " << k;
    expectFrame(dcd, want.frames[k], k);
  }
  EXPECT_THROW(dcd.read_oneFrame(), DCDError);
}

// The message of the DCDError thrown by reading the header and `frames` frames, or "" when
// nothing is thrown.
std::string errorAfter(const std::string& path, int frames = 1 << 20) {
  try {
    DCD_R dcd(path.c_str());
    dcd.read_header();
    for (int k = 0; k < frames; ++k) dcd.read_oneFrame();
  } catch (const DCDError& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(DCD_R, ReadsRealTrajectoriesToTheirDumps) {
  // NAMD with an orthorhombic cell and NUL-padded titles, NAMD without a cell (NSTEP 40000
  // for 40 frames), a 9999-atom triclinic NAMD frame, CHARMM with six fixed atoms, CHARMM
  // with a cell stored as a shape matrix.
  for (const char* name : {"water", "nopbc", "triclinic-namd", "fixed-atoms", "triclinic-octane-vectors"})
    expectReadsAsDumped(name);
}

TEST(DCD_R, ReadsSyntheticTrajectoriesToTheirDumps) {
  // fixed: atoms 2 and 4 of 5 fixed, so they keep their first-frame values (the dump lists
  // every atom); notitle: NTITLE 0 and an empty TITLE; cell: a 48-byte cell per frame;
  // NSTEP above and below the stored frame count; a header with no frame; a VELD magic.
  for (const char* name : {"basic", "cell", "fixed", "fixed_cell", "notitle", "one_atom", "atoms1000",
                           "nstep_gt_frames", "nstep_lt_frames", "no_frames", "veld_magic"})
    expectReadsAsDumped(std::string("synthetic/") + name);
}

TEST(DCD_R, PrintHeaderWritesTheHeaderItems) {
  DCD_R dcd(dataPath("synthetic/notitle.dcd").c_str());
  dcd.read_header();
  testing::internal::CaptureStdout();
  dcd.printHeader();
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "HDR :\tCORD\n"
            "ICNTRL :\t3\t100\t10\t30\t0\t0\t0\t9\t0\t1056964608\t0\t0\t0\t0\t0\t0\t0\t0\t0\t24\t\n"
            "NTITLE :\t0\n"
            "TITLE :\t\n"
            "NATOM :\t5\n"
            "LNFREAT :\t5\n");
}

TEST(DCD_R, UnopenableFileIsReportedThenThrows) {
  const std::string path = dataPath("no-such-file.dcd");
  testing::internal::CaptureStderr();
  DCD_R dcd(path.c_str());
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Exception opening/reading file '" + path + "' : \n"
            "Please chech the path of the file and if it exists.\n");
  EXPECT_THROW(dcd.read_oneFrame(), DCDError);
  try {
    dcd.read_header();
    FAIL() << "no error for a missing file";
  } catch (const DCDError& e) {
    EXPECT_NE(std::string(e.what()).find(path), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("could not be opened"), std::string::npos) << e.what();
  }
  EXPECT_THROW(dcd.read_oneFrame(), DCDError);
  // A directory opens on Linux but cannot be read.
  EXPECT_NE(errorAfter(QUORIX_TEST_DATA), "");
}

TEST(DCD_R, RejectsDamagedHostileAndForeignHeaders) {
  struct Case {
    const char* file;
    const char* phrase;  // must appear in the message
  };
  const Case cases[] = {
      {"synthetic/empty.dcd", "holds 0 bytes"},
      {"synthetic/three_bytes.dcd", "holds 3 bytes"},
      {"synthetic/truncated_header.dcd", "ends inside the header record"},
      {"synthetic/truncated_title.dcd", "title record needs"},
      {"synthetic/bad_magic.dcd", "magic is 'XXXX'"},
      {"synthetic/huge_ntitle.dcd", "NTITLE = 1000000"},
      {"synthetic/negative_ntitle.dcd", "title count NTITLE is -1"},
      {"synthetic/negative_natom.dcd", "NATOM is -5"},
      {"synthetic/zero_atoms.dcd", "NATOM is 0"},
      {"synthetic/huge_natom.dcd", "NATOM = 2147483647 is too large"},
      {"synthetic/frozat_gt_natom.dcd", "FROZAT = 7 lies outside 0..4"},
      {"synthetic/free_index_too_big.dcd", "free-atom index 6 (entry 3) lies outside 1..5"},
      {"synthetic/free_index_zero.dcd", "free-atom index 0 (entry 1) lies outside 1..5"},
      {"synthetic/big_endian.dcd", "other byte order"},
      {"mrmd_h2so4-32bit-be.dcd", "other byte order"},
      {"synthetic/markers8.dcd", "8-byte record markers"},
      {"unsupported/mrmd_h2so4-64bit-le.dcd", "8-byte record markers"},
      {"unsupported/4d-dynamic.dcd", "4-D trajectories"},
  };
  for (const Case& c : cases) {
    const std::string path = dataPath(c.file);
    const std::string message = errorAfter(path, 0);
    EXPECT_NE(message.find(c.phrase), std::string::npos) << c.file << ": " << message;
    EXPECT_EQ(message.rfind("DCD file '" + path + "': ", 0), 0u) << c.file << ": " << message;
  }
}

TEST(DCD_R, DamagedOrTruncatedFrameIsAnErrorNeverAGarbageFrame) {
  struct Case {
    const char* file;
    int goodFrames;
    const char* phrase;
    bool incomplete;  // the file ends inside a frame that is sound so far: the frames before it stand
  };
  const Case cases[] = {
      {"synthetic/truncated_last_frame.dcd", 2, "frame 3: the file ends inside the Y record", true},
      {"synthetic/truncated_in_marker.dcd", 2, "frame 3: the file ends inside the Z record", true},
      {"synthetic/trailing_garbage.dcd", 3, "frame 4: the file holds only zero bytes from byte 528 to its end at byte 531",
       true},
      {"synthetic/bad_cell_marker.dcd", 2, "frame 3: the unit-cell record at byte 556 holds 40 bytes, expected 48",
       false},
      {"synthetic/cell_flag_without_cell.dcd", 0, "frame 1: the unit-cell record at byte 276 holds 20 bytes", false},
      {"synthetic/x_record_longer.dcd", 0, "frame 1: the X record at byte 276 holds 24 bytes, expected 20", false},
      {"synthetic/x_marker_huge.dcd", 1, "frame 2: the X record at byte 360 holds 2147483647 bytes", false},
      {"synthetic/bad_x_marker_frame1.dcd", 1, "frame 2: the X record at byte 360 ends with the marker 24, expected 20",
       false},
      // Fewer bytes than one frame of the header's atom count: its records tell a short file
      // from a header that claims atoms the frames do not hold.
      {"synthetic/large_natom.dcd", 0, "frame 1: the X record at byte 276 holds 20 bytes, expected 400000000",
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const ExpectedDump want = readExpectedDump(dataPath(std::string(c.file, std::strlen(c.file) - 4) + ".expected.txt"));
    DCD_R dcd(dataPath(c.file).c_str());
    ASSERT_NO_THROW(dcd.read_header());
    for (int k = 0; k < c.goodFrames; ++k) {
      ASSERT_NO_THROW(dcd.read_oneFrame());
      expectFrame(dcd, want.frames[k], k);
    }
    try {
      dcd.read_oneFrame();
      ADD_FAILURE() << "no error for the damaged frame";
    } catch (const DCDError& e) {
      EXPECT_NE(std::string(e.what()).find(c.phrase), std::string::npos) << e.what();
      EXPECT_EQ(dynamic_cast<const DCDIncompleteFrame*>(&e) != nullptr, c.incomplete) << e.what();
    }
    // The failed frame changed nothing, and reading does not go on past it.
    if (c.goodFrames > 0) expectFrame(dcd, want.frames[c.goodFrames - 1], c.goodFrames - 1);
    EXPECT_THROW(dcd.read_oneFrame(), DCDError);
  }
}

TEST(DCD_R, UnequalHeaderRecordMarkersEndTheProcessWithTheirMessage) {
  // The message goes to standard output; the death test matches standard error.
  const auto readHeader = [](const char* name) {
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    DCD_R dcd(dataPath(name).c_str());
    dcd.read_header();
  };
  const char* message = "Error when reading data from dcd : quantities do not match.\n";
  EXPECT_EXIT(readHeader("synthetic/bad_header_marker.dcd"), testing::ExitedWithCode(1),
              std::string(message) + "fortcheck1 = 84 and fortcheck2 = 80\nin File libs/ReadDCD/dcd_r at Line 64\n");
  EXPECT_EXIT(readHeader("synthetic/bad_title_marker.dcd"), testing::ExitedWithCode(1),
              "fortcheck1 = 164 and fortcheck2 = 0\nin File libs/ReadDCD/dcd_r at Line 96\n");
}

TEST(DCD_R, RejectsInconsistentCountsInHandMadeHeaders) {
  const std::vector<std::string> title = {"* HAND-MADE"};
  struct Case {
    const char* name;
    DcdBytes bytes;
    const char* phrase;
  };
  const Case cases[] = {
      {"negative_frozat", DcdBytes().header(controlWords(1, -1)).titles(title).ints({5}),
       "FROZAT = -1 lies outside 0..4"},
      {"all_fixed", DcdBytes().header(controlWords(1, 5)).titles(title).ints({5}), "FROZAT = 5 lies outside 0..4"},
      {"short_free_list", DcdBytes().header(controlWords(1, 2)).titles(title).ints({5}).ints({1, 3, 5, 2}),
       "free-atom record holds 16 bytes, but 3 free atoms need 12"},
      {"atom_record_of_8_bytes", DcdBytes().header(controlWords(1, 0)).titles(title).ints({5, 0}),
       "atom-count record holds 8 bytes, expected 4"},
      // Header only, so the file size cannot bound the atom count: the record length can.
      {"natom_beyond_records", DcdBytes().header(controlWords(0, 0)).titles(title).ints({536870912}),
       "NATOM = 536870912 is too large"},
  };
  for (const Case& c : cases) {
    TempDcdFile file(c.name, c.bytes);
    const std::string message = errorAfter(file.path, 0);
    EXPECT_NE(message.find(c.phrase), std::string::npos) << c.name << ": " << message;
  }
}

TEST(DCD_R, HeaderOnlyFileHoldsNoFrame) {
  TempDcdFile file("header_only", DcdBytes().header(controlWords(0, 0)).titles({}).ints({3}));
  DCD_R dcd(file.c_str());
  dcd.read_header();
  EXPECT_EQ(dcd.getNFramesInFile(), 0);
  EXPECT_EQ(dcd.getTrailingBytes(), 0);
  EXPECT_THROW(dcd.read_header(), DCDError);
  try {
    dcd.read_oneFrame();
    FAIL() << "a frame read from a header-only file";
  } catch (const DCDError& e) {
    EXPECT_NE(std::string(e.what()).find("there is no frame 1: the file holds 0 complete frames"), std::string::npos)
        << e.what();
  }
}

TEST(DCD_R, FrameCountFollowsTheFileNotTheHeader) {
  // NFILE 9 and NSTEP 90 for two stored frames of 2 atoms, the second cut short.
  TempDcdFile file("short_run", DcdBytes()
                                    .header(controlWords(9, 0))
                                    .titles({"* SHORT RUN"})
                                    .ints({2})
                                    .floats({1, 2}).floats({3, 4}).floats({5, 6})
                                    .floats({7, 8}).floats({9, 10}).floats({11, 12})
                                    .floats({13, 14}).int32(8));
  DCD_R dcd(file.c_str());
  dcd.read_header();
  EXPECT_EQ(dcd.getNFramesInFile(), 2);
  EXPECT_EQ(dcd.getTrailingBytes(), 20);
  dcd.read_oneFrame();
  dcd.read_oneFrame();
  EXPECT_EQ(dcd.getX()[1], 8.0f);
  EXPECT_EQ(dcd.getZ()[1], 12.0f);
  EXPECT_THROW(dcd.read_oneFrame(), DCDError);
  EXPECT_EQ(dcd.getX()[0], 7.0f);
}

TEST(DCD_R, ZeroBytesToTheEndReadAsTheFileCutThere) {
  // Two frames of 4 atoms with a unit cell; from byte `from` of the second frame on, what a crash
  // can leave: zeros, from where the frame starts or from inside it (whole zeroed blocks), to the
  // end of the file, or followed by a byte 1 (damage, not a cut).
  const double cell[6] = {10, 0, 10, 0, 0, 10};
  DcdBytes bytes = DcdBytes().header(controlWords(2, 0, 1)).titles({"* ZEROED BLOCKS"}).ints({4});
  const std::size_t second = bytes.bytes.size(), frame = 56 + 3 * 24;
  for (float f : {1.5f, 9.5f})
    bytes.record(cell, sizeof cell).floats({f, 2, 3, 4}).floats({5, 6, 7, 8}).floats({-1, -2, -3, f});
  const std::size_t x = 56, y = x + 24, z = y + 24;
  struct Case {
    const char* name;
    std::size_t from, zeros;
    bool thenData;
    std::size_t start;  // where the message says the zeros start (a cut)
    std::string damage;  // what the message says (damage)
  };
  const Case cases[] = {
      {"four", 0, 4, false, 0, ""},
      {"frame_and_more", 0, frame + 10, false, 0, ""},
      {"beyond_a_read", 0, 200000, false, 0, ""},
      {"zeros_then_data", 0, frame + 10, true, 0, "the unit-cell record at byte " + std::to_string(second + frame)},
      {"long_zeros_then_data", 0, 200000, true, 0, "the unit-cell record at byte " + std::to_string(second + frame)},
      {"after_cell_lead_marker", 4, frame - 4, false, 4, ""},  // the marker's upper bytes are zeros too
      {"after_cell", x, frame - x, false, x, ""},
      {"mid_x", x + 8, frame - x - 8, false, x + 8, ""},
      {"mid_y_and_beyond", y + 12, frame - y - 12 + 5000, false, y + 12, ""},
      {"z_end_marker", z + 20, frame - z - 20, false, z + 20, ""},
      {"mid_x_then_data", x + 8, frame - x - 8, true, 0, "the X record at byte"},
      {"z_end_marker_then_data", z + 20, frame - z - 20 + 100, true, 0, "the Z record at byte"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DcdBytes damaged = bytes;
    damaged.bytes.resize(second + frame + c.from);
    damaged.bytes.resize(second + frame + c.from + c.zeros, '\0');
    if (c.thenData) damaged.bytes += '\1';
    TempDcdFile file(c.name, damaged);
    DCD_R dcd(file.c_str());
    dcd.read_header();
    ASSERT_NO_THROW(dcd.read_oneFrame());
    try {
      dcd.read_oneFrame();
      ADD_FAILURE() << "no error for frame 2";
    } catch (const DCDError& e) {
      EXPECT_EQ(dynamic_cast<const DCDIncompleteFrame*>(&e) != nullptr, !c.thenData) << e.what();
      const std::string expected = c.thenData ? "frame 2: " + c.damage
                                              : "frame 2: the file holds only zero bytes from byte " +
                                                    std::to_string(second + frame + c.start) + " to its end at byte " +
                                                    std::to_string(damaged.bytes.size());
      EXPECT_NE(std::string(e.what()).find(expected), std::string::npos) << e.what();
    }
    EXPECT_EQ(dcd.getZeroTailStart(), c.thenData ? -1 : static_cast<long long>(second + frame + c.start));
    EXPECT_EQ(dcd.getX()[0], 1.5f);  // the first frame's
  }
}

TEST(DCD_R, XplorFilesHoldNoUnitCellRecord) {
  // Version word 0 and a double time step whose upper half lies where CHARMM files keep their
  // unit-cell flag. 12 atoms make an X record of 48 bytes, the length of a cell record.
  for (const int atoms : {12, 5}) {
    SCOPED_TRACE(atoms);
    std::array<std::int32_t, 20> words = controlWords(2, 0);
    const double timeStep = 0.002;
    std::memcpy(&words[9], &timeStep, sizeof timeStep);
    words[19] = 0;
    ASSERT_NE(words[10], 0);
    DcdBytes bytes = DcdBytes().header(words).titles({"* X-PLOR"}).ints({atoms});
    for (int frame = 0; frame < 2; ++frame)
      for (int axis = 0; axis < 3; ++axis) {
        std::vector<float> values;
        for (int i = 0; i < atoms; ++i) values.push_back(static_cast<float>(100 * frame + 10 * axis + i));
        bytes.floats(values);
      }
    TempDcdFile file("xplor", bytes);
    DCD_R dcd(file.c_str());
    ASSERT_NO_THROW(dcd.read_header());
    EXPECT_EQ(dcd.getQCRYS(), 0);
    EXPECT_EQ(dcd.getICNTRL()[10], words[10]);
    EXPECT_EQ(dcd.getNFramesInFile(), 2);
    EXPECT_EQ(dcd.getTrailingBytes(), 0);
    for (int frame = 0; frame < 2; ++frame) {
      ASSERT_NO_THROW(dcd.read_oneFrame()) << frame;
      EXPECT_EQ(dcd.getX()[1], 100 * frame + 1.0f);
      EXPECT_EQ(dcd.getY()[atoms - 1], 100 * frame + 10.0f + atoms - 1);
      EXPECT_EQ(dcd.getZ()[0], 100 * frame + 20.0f);
    }
    for (int i = 0; i < 6; ++i) EXPECT_EQ(dcd.getPbc()[i], 0.0);
  }
}
