// cCrystallography: the space-group text of the cell record and the Cartesian operators of its
// space group.
#include "crystal/cCrystallography.h"

#include <cstdio>
#include <cstring>

#include "crystal/seitzMx.h"
#include "crystal/seminvariants.h"
#include "crystal/sgBuild.h"
#include "crystal/sgTables.h"

std::string cCrystallography::spaceGroupText() const {
  // The text fills all eleven characters when the record does, so strlen could run past it.
  const void* nul = std::memchr(spaceGroupName, '\0', sizeof spaceGroupName);
  const std::size_t n = nul ? static_cast<const char*>(nul) - spaceGroupName : sizeof spaceGroupName;
  return std::string(spaceGroupName, n);
}

int cCrystallography::createSymmetryOperators() {
  // The record of a failed build may be partly filled: nothing is read from it.
  if (BuildSgRecord(&sgRecord, spaceGroupName) != 0) return 0;
  (void)Set_si(&sgRecord);

  // Orthorhombic, tetragonal and cubic cells have their axes along x, y and z.
  const int system = sgRecord.crystalSystem;
  const bool orthogonalAxes = system == XS_Orthorhombic || system == XS_Tetragonal || system == XS_Cubic;
  cSymmetryTransform general;
  cOrthorhombicSymmetryTransform orthogonal;
  cSymmetryTransform& op = orthogonalAxes ? orthogonal : general;

  // A centric group keeps its inversion at the origin implicit: each listed operation is
  // followed, in a second round, by its product with the inversion.
  const int nLoopInv = sgRecord.centric == -1 ? 2 : 1;
  std::printf("nLoopInv = %d\n", nLoopInv);
  std::printf("SgRecord->nList = %d\n", sgRecord.nList);

  // Unit edge directions as columns: cell-axis components (Å) to Cartesian.
  const double lengths[3] = {cellLengths.x, cellLengths.y, cellLengths.z};
  const cMatrix33 M(cellVectors[0] / lengths[0], cellVectors[1] / lengths[1], cellVectors[2] / lengths[2]);
  const cMatrix33 inverseM = M.Inverse();
  const int* L = sgRecord.latticeInfo->trVector;  // the null vector of every centring
  for (int inversion = 0; inversion < nLoopInv; ++inversion) {
    const int sign = inversion ? -1 : 1;
    for (int i = 0; i < sgRecord.nList; ++i) {
      const T_RTMx& seitz = sgRecord.ListSeitzMx[i];
      int r[9], t[3];
      for (int k = 0; k < 9; ++k) {
        r[k] = sign * seitz.R[k];
        op.rotation.m[k] = r[k];
      }
      double shift[3];
      for (int j = 0; j < 3; ++j) {
        t[j] = iModPositive(L[j] + sign * seitz.T[j], STBF);
        shift[j] = t[j] * lengths[j] / STBF;
      }
      op.assignR(r);
      op.assignT(t);
      op.translation = cVector3(shift[0], shift[1], shift[2]);
      op.init();
      if (!op.isSignedPermutation) {
        op.rotation = (M * op.rotation) * inverseM;
        op.translation = M * op.translation;
      }
      symmetryOperators.push_back(op);  // as a cSymmetryTransform
    }
  }
  return 0;
}
