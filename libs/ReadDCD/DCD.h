// DCD: abstract holder of a DCD trajectory's header values, file stream and coordinates.
#pragma once

#include <fstream>

// Header words keep the names of the format's own documentation (ICNTRL, NTITLE, ...).
// The arrays are allocated by the derived reader and freed here; every pointer starts
// null so that an object abandoned half-way through reading its header is freed cleanly.
class DCD {
public:
  DCD();
  DCD(const DCD&) = delete;
  DCD& operator=(const DCD&) = delete;

  // Gives X, Y and Z room for NATOM atoms and clears the unit cell.
  virtual void alloc() = 0;
  virtual ~DCD();

  // Compares the two length markers framing a record. Unequal markers mean the file is
  // not what the header says: prints where, and ends the process with status 1.
  void checkFortranIOerror(const char* file, int line, unsigned int m1, unsigned int m2) const;

  const char* getHDR() const { return HDR; }
  const int* getICNTRL() const { return ICNTRL; }
  int getNTITLE() const { return NTITLE; }
  // NTITLE lines of 80 characters, NUL-terminated; writers often pad them with NULs.
  const char* getTITLE() const { return TITLE; }
  // Unit cell of the last frame read, as stored (lengths and cosines, or a shape matrix,
  // depending on the writer); zero until a frame carries one.
  const double* getPbc() const { return pbc; }
  int getNFILE() const { return NFILE; }
  int getNPRIV() const { return NPRIV; }
  int getNSAVC() const { return NSAVC; }
  int getNSTEP() const { return NSTEP; }
  int getNDEGF() const { return NDEGF; }
  int getFROZAT() const { return FROZAT; }
  int getDELTA4() const { return DELTA4; }
  int getQCRYS() const { return QCRYS; }
  int getCHARMV() const { return CHARMV; }
  int getNATOM() const { return NATOM; }
  int getLNFREAT() const { return LNFREAT; }
  // 1-based indices of the LNFREAT free atoms; null when no atom is fixed.
  const int* getFREEAT() const { return FREEAT; }
  // NATOM coordinates (Å) of the last frame read; owned by the reader.
  const float* getX() const { return X; }
  const float* getY() const { return Y; }
  const float* getZ() const { return Z; }

protected:
  std::fstream dcdf;
  bool dcd_first_read = true;  // the first frame stores every atom, later ones only the free

  char HDR[5] = {};       // "CORD" (coordinates) or "VELD" (velocities), NUL-terminated
  int ICNTRL[20] = {};
  int NTITLE = 0;
  char* TITLE = nullptr;  // NTITLE * 80 characters and a NUL
  double pbc[6] = {};

  // Copies of ICNTRL[0], [1], [2], [3], [7], [8], [9], [10], [19] (QCRYS 0 in X-PLOR files).
  int NFILE = 0;   // frames in the file, as the writer recorded it
  int NPRIV = 0;   // step of the first frame
  int NSAVC = 0;   // steps between frames
  int NSTEP = 0;   // steps of the run: a step count, not a frame count
  int NDEGF = 0;   // degrees of freedom
  int FROZAT = 0;  // number of fixed atoms
  int DELTA4 = 0;  // time step, the bits of a float (AKMA units); in X-PLOR files half a double
  int QCRYS = 0;   // non-zero: every frame starts with a unit-cell record
  int CHARMV = 0;  // CHARMM version; 0 for X-PLOR files

  int NATOM = 0;
  int LNFREAT = 0;        // NATOM - FROZAT
  int* FREEAT = nullptr;  // LNFREAT 1-based atom indices, only when FROZAT != 0
  float* X = nullptr;
  float* Y = nullptr;
  float* Z = nullptr;
};
