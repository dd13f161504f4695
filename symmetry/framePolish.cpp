// Final fit of an axis pair. Fitting one axis on the cone around the other turns the pair only
// about a1 or about a2; alternating such fits can stop where the residual still falls under a
// turn about a1 x a2 (a point where the gradient is parallel to a1 x a2). Newton steps on the
// rotation of the rigid pair reach the model's minimum from there.
#include <Eigen/Dense>
#include <cmath>
#include <vector>

#include "symmetry/RMSD.h"
#include "symmetry/cPointSymmetryGroup.h"
#include "symmetry/eigenConversions.h"

namespace {

// One element's rotational model W (E + v^T K v + q0 omega . v), v = q1 a1 + q2 a2 + q3 a1 x a2.
struct sTerm {
    double W, q0, q1, q2, q3, E;
    Eigen::Matrix3d K;
    Eigen::Vector3d omega;
};

double valueAt(const std::vector<sTerm>& terms, const Eigen::Vector3d& a1, const Eigen::Vector3d& a2) {
    const Eigen::Vector3d a3 = a1.cross(a2);
    double sum = 0.0;
    for (const sTerm& t : terms) {
        const Eigen::Vector3d v = t.q1 * a1 + t.q2 * a2 + t.q3 * a3;
        sum += t.W * (t.E + v.dot(t.K * v) + t.q0 * t.omega.dot(v));
    }
    return sum;
}

// Gradient g and Hessian H of the model under a small turn w of the pair (v -> exp([w]x) v):
// F(w) = F + g . w + w^T H w / 2.
void derivatives(const std::vector<sTerm>& terms, const Eigen::Vector3d& a1, const Eigen::Vector3d& a2,
                 Eigen::Vector3d& g, Eigen::Matrix3d& H) {
    const Eigen::Vector3d a3 = a1.cross(a2);
    g.setZero();
    H.setZero();
    for (const sTerm& t : terms) {
        const Eigen::Vector3d v = t.q1 * a1 + t.q2 * a2 + t.q3 * a3;
        const Eigen::Vector3d h = 2.0 * (t.K * v) + t.q0 * t.omega;
        const Eigen::Matrix3d V = crossMatrix(v);
        g += t.W * v.cross(h);
        H += t.W * (2.0 * V.transpose() * t.K * V + 0.5 * (h * v.transpose() + v * h.transpose()) -
                    h.dot(v) * Eigen::Matrix3d::Identity());
    }
}

}  // namespace

void RMSD::polishAxisPair(cPointSymmetryGroup* group, double& residual) {
    std::vector<sTerm> terms;
    for (std::size_t j = 0; j < group->permutations.size() && j < elementSums.size(); ++j) {
        if (group->permutations[j].empty()) continue;
        const sElementModel model = elementModel(static_cast<int>(j));
        terms.push_back({elementWeights[j], group->q0[j], group->q1[j], group->q2[j], group->q3[j], model.E, model.K,
                         model.omega});
    }
    Eigen::Vector3d u1 = toEigen(a1), u2 = toEigen(a2);
    double value = valueAt(terms, u1, u2);
    if (!std::isfinite(value)) return;

    for (int iteration = 0; iteration < 100; ++iteration) {
        Eigen::Vector3d g;
        Eigen::Matrix3d H;
        derivatives(terms, u1, u2, g, H);
        const double scale = H.norm() + g.norm();
        if (!(scale > 0.0) || !std::isfinite(scale)) break;
        // Damped Newton (Levenberg-Marquardt): the damping grows until a step lowers the model.
        double mu = 0.0;
        const double lowest = Eigen::SelfAdjointEigenSolver<Eigen::Matrix3d>(H, Eigen::EigenvaluesOnly).eigenvalues()(0);
        if (lowest <= 1e-12 * scale) mu = 1e-12 * scale - lowest;
        bool accepted = false;
        double gain = 0.0;
        for (int attempt = 0; attempt < 60 && !accepted; ++attempt) {
            const Eigen::Vector3d step = -(H + mu * Eigen::Matrix3d::Identity()).ldlt().solve(g);
            const double angle = step.norm();
            if (!(angle > 0.0) || !std::isfinite(angle)) break;
            const Eigen::Matrix3d turn = Eigen::AngleAxisd(angle, step / angle).toRotationMatrix();
            const Eigen::Vector3d n1 = turn * u1, n2 = turn * u2;
            const double next = valueAt(terms, n1, n2);
            if (next < value) {
                gain = value - next;
                u1 = n1;
                u2 = n2;
                value = next;
                accepted = true;
            } else {
                mu = mu > 0.0 ? 4.0 * mu : 1e-9 * scale;
            }
        }
        // Stop once a step no longer gains more than rounding of the model's value.
        if (!accepted || gain <= 1e-14 * std::fabs(value)) break;
    }
    a1 = toVector(u1);
    a2 = toVector(u2);
    residual = value;
}
