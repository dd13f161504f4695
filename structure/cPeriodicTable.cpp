// cPeriodicTable: builds the element map from the element rows and looks symbols up.
#include "structure/cPeriodicTable.h"

cPeriodicTable::cPeriodicTable() { initializePeriodicTableMap(); }

void cPeriodicTable::initializePeriodicTableMap() {
  for (std::size_t i = 0; i < kElementCount; ++i)
    table.emplace(packElementSymbol(kElementRows[i].symbol), kElementRows[i].info);  // first value wins
}

const elementInformation* cPeriodicTable::find(int key) const {
  const auto it = table.find(key);
  return it == table.end() ? nullptr : &it->second;
}

int cPeriodicTable::packElementSymbol(std::string_view symbol) {
  if (symbol.empty()) return 0;
  const int first = static_cast<unsigned char>(symbol[0]);
  const int second = symbol.size() > 1 ? static_cast<unsigned char>(symbol[1]) : 0;
  return first * 256 + second;
}
