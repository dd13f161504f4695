// The space-group reference data of the crystal tests (tests/data/crystal) and helpers that
// compare records with it.
#pragma once

#include <array>
#include <initializer_list>
#include <set>
#include <string>
#include <vector>

#include "crystal/sgError.h"
#include "crystal/sgRecord.h"

// An operation as 9 rotation entries and a translation in twelfths (0..11).
using Op = std::array<int, 12>;

struct RefSetting {
  int number;
  std::string code;  // setting code, "" for the standard setting
  std::string hall;  // without the leading blank
  std::string crystalSystem, pointGroup, centring;
  int originShifts;
  std::vector<Op> ops;  // the full group
  std::vector<std::string> triplets;
};

// The 530 settings, in the order of TabSgName.
const std::vector<RefSetting>& RefSettings();
// Tab-separated fields of every non-comment line of a file in tests/data/crystal.
std::vector<std::vector<std::string>> ReadTsv(const std::string& name);
// Operations written as 12-character codes, separated by blanks.
std::vector<Op> DecodeOps(const std::string& codes);
// Every operation of a completed record, centring and implicit inversion written out.
std::set<Op> ExpandedOps(const T_SgRecord& sg);
Op ToOp(const T_RTMx& m);
// A Seitz (or change-of-basis) matrix from its rotation rows and translation.
T_RTMx MakeRTMx(std::initializer_list<int> R, std::initializer_list<int> T = {0, 0, 0});
// "number:extension" of a table row, or the number alone.
std::string RowName(const T_TabSgName& row);
// The record of table row i, built by its number and extension.
T_SgRecord BuildRow(int i);
// A record with room for a full group and nothing in it, as a caller of the library's
// lower-level operations prepares it.
T_SgRecord EmptyRecord();
// Parses and completes a Hall symbol of any length; 0, or -1 with SgError set.
int BuildFromHall(T_SgRecord& sg, const char* hall);
// The completed record of a Hall symbol; a symbol that fails throws, naming SgError.
T_SgRecord FromHall(const char* hall);
// The index of the table row named "number:extension" (or the number alone).
int RowIndex(const std::string& name);

// The call returns failed and leaves exactly message in SgError. The slot is cleared before and
// after, so that no message set by an earlier check, or by this one, is read by the next.
#define EXPECT_SG_ERROR(call, failed, message) \
  do {                                         \
    SgError = nullptr;                         \
    EXPECT_EQ((call), failed);                 \
    EXPECT_STREQ(SgError, message);            \
    SgError = nullptr;                         \
  } while (0)
