// cPeriodicTable: radius and mass of each chemical element, looked up by packed symbol.
#pragma once

#include <cstddef>
#include <map>
#include <string_view>

struct elementInformation {
  float radius;  // Å
  float mass;    // atomic mass units
};

// One row of the element table (periodicTableData.cpp), in atomic-number order.
struct sElementRow {
  int atomicNumber;
  const char* symbol;
  elementInformation info;
};

inline constexpr std::size_t kElementCount = 111;  // H (1) to Rg (111)
extern const sElementRow kElementRows[];

class cPeriodicTable {
public:
  // Keyed by packElementSymbol: every element H to Rg and nothing else.
  std::map<int, elementInformation> table;

  cPeriodicTable();

  // Inserts the rows in atomic-number order; a key already present keeps its value.
  void initializePeriodicTableMap();

  // Null when the key is no element symbol (the caller then uses radius 1 and mass 1).
  const elementInformation* find(int key) const;

  // First letter * 256 + second letter (0 for a one-letter symbol): "C" 17152, "Cl" 17260.
  // The case is taken as given: "CL" is no key of the table.
  static int packElementSymbol(std::string_view symbol);
};
