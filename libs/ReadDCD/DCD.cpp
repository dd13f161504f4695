// DCD: construction, release and the record-marker check shared by DCD readers.
#include "libs/ReadDCD/DCD.h"

#include <cstdlib>
#include <iostream>

DCD::DCD() = default;

DCD::~DCD() {
  if (dcdf.is_open()) dcdf.close();
  delete[] TITLE;
  delete[] FREEAT;
  delete[] X;
  delete[] Y;
  delete[] Z;
}

void DCD::checkFortranIOerror(const char* file, int line, unsigned int m1, unsigned int m2) const {
  if (m1 == m2) return;
  std::cout << "Error when reading data from dcd : quantities do not match." << std::endl;
  std::cout << "fortcheck1 = " << m1 << " and fortcheck2 = " << m2 << std::endl;
  std::cout << "in File " << file << " at Line " << line << std::endl;
  std::exit(1);
}
