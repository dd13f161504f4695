// cVector3 to and from Eigen vectors, and the cross-product matrix, for the solvers that work
// in Eigen.
#pragma once

#include <Eigen/Core>

#include "geometry/cVector3.h"

inline Eigen::Vector3d toEigen(const cVector3& v) { return {v.x, v.y, v.z}; }
inline cVector3 toVector(const Eigen::Vector3d& v) { return {v.x(), v.y(), v.z()}; }

// [v]x: the matrix with [v]x n = v x n.
inline Eigen::Matrix3d crossMatrix(const Eigen::Vector3d& v) {
    Eigen::Matrix3d m;
    m << 0.0, -v.z(), v.y(),
         v.z(), 0.0, -v.x(),
         -v.y(), v.x(), 0.0;
    return m;
}
