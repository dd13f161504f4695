// Test support: brute-force minimisers of the RMSD model.
#include "tests/symmetry/modelMinimisers.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace brute {

namespace {

double dot(const tVec& a, const tVec& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
tVec cross(const tVec& a, const tVec& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
tVec times(const std::array<double, 9>& m, const tVec& v) {
    return {m[0] * v[0] + m[1] * v[1] + m[2] * v[2], m[3] * v[0] + m[4] * v[1] + m[5] * v[2],
            m[6] * v[0] + m[7] * v[1] + m[8] * v[2]};
}
tVec add(const tVec& a, const tVec& b, double s = 1.0) { return {a[0] + s * b[0], a[1] + s * b[1], a[2] + s * b[2]}; }
tVec normalized(const tVec& a) {
    const double n = std::sqrt(dot(a, a));
    return {a[0] / n, a[1] / n, a[2] / n};
}

// Two unit vectors completing n to an orthonormal basis.
void planeBasis(const tVec& n, tVec& e1, tVec& e2) {
    const tVec helper = std::fabs(n[0]) < 0.6 ? tVec{1.0, 0.0, 0.0} : tVec{0.0, 1.0, 0.0};
    e1 = normalized(add(helper, n, -dot(helper, n)));
    e2 = cross(n, e1);
}

// v turned by the rotation vector w (Rodrigues).
tVec turn(const std::array<double, 3>& w, const tVec& v) {
    const double angle = std::sqrt(dot(w, w));
    if (angle == 0.0) return v;
    const tVec k{w[0] / angle, w[1] / angle, w[2] / angle};
    const double c = std::cos(angle), s = std::sin(angle);
    const tVec kv = cross(k, v);
    const double kd = dot(k, v) * (1.0 - c);
    return {v[0] * c + kv[0] * s + k[0] * kd, v[1] * c + kv[1] * s + k[1] * kd, v[2] * c + kv[2] * s + k[2] * kd};
}

std::array<double, 9> fromMatrix(const Eigen::Matrix3d& m) {
    return {m(0, 0), m(0, 1), m(0, 2), m(1, 0), m(1, 1), m(1, 2), m(2, 0), m(2, 1), m(2, 2)};
}

}  // namespace

tVec fromVector(const cVector3& v) { return {v.x, v.y, v.z}; }

template <std::size_t D>
double nelderMead(const std::function<double(const std::array<double, D>&)>& f, std::array<double, D>& x,
                  double step, int maxIterations) {
    using tPoint = std::array<double, D>;
    std::array<tPoint, D + 1> simplex;
    std::array<double, D + 1> values;
    for (std::size_t i = 0; i <= D; ++i) {
        simplex[i] = x;
        if (i > 0) simplex[i][i - 1] += step;
        values[i] = f(simplex[i]);
    }
    auto along = [](const tPoint& from, const tPoint& to, double t) {
        tPoint p;
        for (std::size_t k = 0; k < D; ++k) p[k] = from[k] + t * (to[k] - from[k]);
        return p;
    };
    std::array<std::size_t, D + 1> order;
    for (int iteration = 0; iteration < maxIterations; ++iteration) {
        for (std::size_t i = 0; i <= D; ++i) order[i] = i;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
        const std::size_t best = order[0], worst = order[D], second = order[D - 1];
        double size = 0.0;
        for (std::size_t i = 1; i <= D; ++i)
            for (std::size_t k = 0; k < D; ++k) size = std::max(size, std::fabs(simplex[order[i]][k] - simplex[best][k]));
        if (size < 1e-13) break;
        tPoint centroid{};
        for (std::size_t i = 0; i < D; ++i)
            for (std::size_t k = 0; k < D; ++k) centroid[k] += simplex[order[i]][k] / D;
        const tPoint reflected = along(simplex[worst], centroid, 2.0);
        const double fr = f(reflected);
        if (fr < values[best]) {
            const tPoint expanded = along(simplex[worst], centroid, 3.0);
            const double fe = f(expanded);
            simplex[worst] = fe < fr ? expanded : reflected;
            values[worst] = std::min(fe, fr);
        } else if (fr < values[second]) {
            simplex[worst] = reflected;
            values[worst] = fr;
        } else {
            const tPoint contracted = along(simplex[worst], centroid, 0.5);
            const double fc = f(contracted);
            if (fc < values[worst]) {
                simplex[worst] = contracted;
                values[worst] = fc;
            } else {
                for (std::size_t i = 1; i <= D; ++i) {
                    simplex[order[i]] = along(simplex[best], simplex[order[i]], 0.5);
                    values[order[i]] = f(simplex[order[i]]);
                }
            }
        }
    }
    const std::size_t best = static_cast<std::size_t>(std::min_element(values.begin(), values.end()) - values.begin());
    x = simplex[best];
    return values[best];
}

template double nelderMead<2>(const std::function<double(const std::array<double, 2>&)>&, std::array<double, 2>&,
                              double, int);
template double nelderMead<3>(const std::function<double(const std::array<double, 3>&)>&, std::array<double, 3>&,
                              double, int);

double sphereMinimum(const tObjective& f, int points) {
    // Fibonacci lattice: near-uniform directions.
    const double golden = std::numbers::pi * (3.0 - std::sqrt(5.0));
    std::vector<std::pair<double, tVec>> scan;
    for (int i = 0; i < points; ++i) {
        const double z = 1.0 - 2.0 * (i + 0.5) / points;
        const double r = std::sqrt(1.0 - z * z);
        const tVec n{r * std::cos(golden * i), r * std::sin(golden * i), z};
        scan.emplace_back(f(n), n);
    }
    const std::size_t kept = std::min<std::size_t>(4, scan.size());
    std::partial_sort(scan.begin(), scan.begin() + kept, scan.end(),
                      [](const auto& a, const auto& b) { return a.first < b.first; });
    double best = scan[0].first;
    for (std::size_t k = 0; k < kept; ++k) {
        // Re-centre the chart until a round no longer improves: the chart is only good near its
        // origin.
        tVec centre = scan[k].second;
        double value = scan[k].first;
        double step = 0.05;
        for (int round = 0; round < 20; ++round) {
            tVec e1, e2;
            planeBasis(centre, e1, e2);
            auto chart = [&](const std::array<double, 2>& s) {
                return normalized(add(add(centre, e1, s[0]), e2, s[1]));
            };
            std::array<double, 2> s{0.0, 0.0};
            const double next = nelderMead<2>([&](const std::array<double, 2>& t) { return f(chart(t)); }, s, step);
            centre = chart(s);
            const bool improved = next < value - 1e-15 * std::fabs(value);
            value = std::min(value, next);
            if (!improved && round >= 2) break;
            step = std::max(1e-7, 0.5 * std::hypot(s[0], s[1]));
        }
        best = std::min(best, value);
    }
    return best;
}

double subProblemValue(const std::array<double, 9>& H, const tVec& g, const tVec& n) {
    return dot(n, times(H, n)) - 2.0 * dot(g, n);
}

sCyclicModel cyclicModel(const RMSD& m) {
    return {fromMatrix(m.A), fromMatrix(m.B), {m.b(0), m.b(1), m.b(2)}, {m.d(0), m.d(1), m.d(2)}, m.T, m.e};
}

double cyclicModelAt(const sCyclicModel& m, const tVec& n) {
    const double rotational = dot(n, times(m.A, n)) + dot(m.b, n) + m.e;
    if (!(m.T > 0.0)) return rotational;
    tVec e1, e2;
    planeBasis(n, e1, e2);
    // T (s^2 + t^2) + s (e1 . v) + t (e2 . v), v = d - B n: minimum -(|e1.v|^2 + |e2.v|^2) / (4 T).
    const tVec v = add(m.d, times(m.B, n), -1.0);
    const double p = dot(e1, v), q = dot(e2, v);
    return rotational - (p * p + q * q) / (4.0 * m.T);
}

sElementTerms elementTerms(const RMSD& model, int element, double q0, double q1, double q2, double q3) {
    const auto& s = model.elementSums[element];
    sElementTerms t;
    t.W = model.elementWeights[element];
    t.q0 = q0;
    t.q1 = q1;
    t.q2 = q2;
    t.q3 = q3;
    // S = mean(u w^T) back from the 4 mean(u_a w_b) values; K = 4 (tr S I - (S + S^T) / 2).
    const double S[3][3] = {{s[RMSD::eProdXX] / 4, -s[RMSD::eOffXY] / 4, -s[RMSD::eOffXZ] / 4},
                            {-s[RMSD::eOffYX] / 4, s[RMSD::eProdYY] / 4, -s[RMSD::eOffYZ] / 4},
                            {-s[RMSD::eOffZX] / 4, -s[RMSD::eOffZY] / 4, s[RMSD::eProdZZ] / 4}};
    const double trace = S[0][0] + S[1][1] + S[2][2];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) t.K[3 * i + j] = 4.0 * ((i == j ? trace : 0.0) - (S[i][j] + S[j][i]) / 2.0);
    t.omega = {4.0 * s[RMSD::eCrossX], 4.0 * s[RMSD::eCrossY], 4.0 * s[RMSD::eCrossZ]};
    t.E = s[RMSD::eSquareX] + s[RMSD::eSquareY] + s[RMSD::eSquareZ];
    return t;
}

double frameModelAt(const std::vector<sElementTerms>& terms, const tVec& a1, const tVec& a2) {
    const tVec a3 = cross(a1, a2);
    double sum = 0.0;
    for (const sElementTerms& t : terms) {
        const tVec v{t.q1 * a1[0] + t.q2 * a2[0] + t.q3 * a3[0], t.q1 * a1[1] + t.q2 * a2[1] + t.q3 * a3[1],
                     t.q1 * a1[2] + t.q2 * a2[2] + t.q3 * a3[2]};
        sum += t.W * (t.E + dot(v, times(t.K, v)) + t.q0 * dot(t.omega, v));
    }
    return sum;
}

double frameModelMinimum(const std::vector<sElementTerms>& terms, double cosine, unsigned seed) {
    const tVec z{0.0, 0.0, 1.0};
    const tVec second{std::sqrt(1.0 - cosine * cosine), 0.0, cosine};
    // A frame is the pair (a1, a2); a rotation vector turns it as a whole.
    struct sFrame {
        tVec a1, a2;
    };
    auto at = [&](const sFrame& f) { return frameModelAt(terms, f.a1, f.a2); };
    auto turned = [](const std::array<double, 3>& w, const sFrame& f) { return sFrame{turn(w, f.a1), turn(w, f.a2)}; };
    std::mt19937_64 rng(seed);
    std::normal_distribution<double> g;
    std::vector<std::pair<double, sFrame>> starts;
    for (int i = 0; i < 300; ++i) {
        // A random rotation: a random axis and an angle with the right density is not needed for
        // a scan, a Gaussian rotation vector covers every orientation.
        const std::array<double, 3> w{2.0 * g(rng), 2.0 * g(rng), 2.0 * g(rng)};
        const sFrame f{turn(w, z), turn(w, second)};
        starts.emplace_back(at(f), f);
    }
    std::partial_sort(starts.begin(), starts.begin() + 4, starts.end(),
                      [](const auto& a, const auto& b) { return a.first < b.first; });
    double best = starts[0].first;
    for (int k = 0; k < 4; ++k) {
        sFrame frame = starts[k].second;
        double value = starts[k].first;
        double step = 0.1;
        // Restart the simplex around the last optimum until a round no longer improves: a
        // collapsed simplex can stall in a narrow valley.
        for (int round = 0; round < 40; ++round) {
            std::array<double, 3> w{0.0, 0.0, 0.0};
            const double next =
                nelderMead<3>([&](const std::array<double, 3>& v) { return at(turned(v, frame)); }, w, step);
            frame = turned(w, frame);
            const bool improved = next < value - 1e-15 * std::fabs(value);
            value = std::min(value, next);
            if (!improved && round >= 3) break;
            step = std::max(1e-7, 0.5 * std::sqrt(dot(w, w)));
        }
        best = std::min(best, value);
    }
    return best;
}

}  // namespace brute
