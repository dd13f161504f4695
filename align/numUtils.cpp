// Numeric helpers of the alignment engine: score conversions, tolerances, vector sums and ranks.
#include "align/numUtils.h"

#include <cmath>

#include "align/diagnostics.h"

namespace {

template <typename T>
T CorrelT(const T* a, const T* b, unsigned n) {
    if (n == 0) return 0;
    T sumA = 0, sumB = 0;
    for (unsigned i = 0; i < n; ++i) {
        sumA += a[i];
        sumB += b[i];
    }
    const T meanA = sumA / n;
    const T meanB = sumB / n;
    T sumAB = 0, sumAA = 0, sumBB = 0;
    for (unsigned i = 0; i < n; ++i) {
        const T da = a[i] - meanA;
        const T db = b[i] - meanB;
        sumAB += da * db;
        sumAA += da * da;
        sumBB += db * db;
    }
    if (sumAB == 0) return 0;
    return sumAB / std::sqrt(sumAA * sumBB);
}

template <typename T>
void RankT(const T* v, T* r, unsigned n) {
    for (unsigned i = 0; i < n; ++i) {
        unsigned below = 0, equal = 0;
        for (unsigned j = 0; j < n; ++j) {
            if (v[j] < v[i])
                ++below;
            else if (v[j] == v[i])
                ++equal;
        }
        r[i] = static_cast<T>(1 + below) + static_cast<T>(equal - 1) / 2;
    }
}

template <typename T>
bool VectorIsZeroT(const T* v, unsigned n) {
    for (unsigned i = 0; i < n; ++i)
        if (v[i] != 0) return false;
    return true;
}

}  // namespace

PROB ScoreToProb(SCORE x) {
    if (x <= MINUS_INFINITY) return 0;
    return static_cast<PROB>(std::pow(2.0, static_cast<double>(x)));
}

WEIGHT DoubleToWeight(double x) { return static_cast<WEIGHT>(x); }
double WeightToDouble(WEIGHT w) { return static_cast<double>(w); }
SCORE DoubleToScore(double x) { return static_cast<SCORE>(x); }

bool ScoreEq(SCORE a, SCORE b) {
    const double diff = std::fabs(static_cast<double>(a) - static_cast<double>(b));
    if (diff < 1e-4) return true;
    const double sum = std::fabs(static_cast<double>(a)) + std::fabs(static_cast<double>(b));
    return diff / sum < 0.005;
}

bool BTEq(float a, float b) {
    const float diff = std::fabs(a - b);
    if (diff < 1e-4f) return true;
    const float sum = std::fabs(a) + std::fabs(b);
    return diff / sum < 0.005f;
}

double VecSum(const double* v, unsigned n) {
    double sum = 0;
    for (unsigned i = 0; i < n; ++i) sum += v[i];
    return sum;
}

void Normalize(float* v, unsigned n) {
    float sum = 0;
    for (unsigned i = 0; i < n; ++i) sum += v[i];
    if (n == 0 || sum == 0) Quit("Normalize, sum=0");
    for (unsigned i = 0; i < n; ++i) v[i] /= sum;
}

void Normalize(float* v, unsigned n, float total) {
    double sum = 0;
    for (unsigned i = 0; i < n; ++i) sum += v[i];
    if (n == 0 || sum == 0) Quit("Normalize, sum=0");
    const double factor = total / sum;
    for (unsigned i = 0; i < n; ++i) v[i] = static_cast<float>(v[i] * factor);
}

void NormalizeUnlessZero(float* v, unsigned n) {
    float sum = 0;
    for (unsigned i = 0; i < n; ++i) sum += v[i];
    if (sum == 0) return;
    for (unsigned i = 0; i < n; ++i) v[i] /= sum;
}

bool VectorIsZero(const double* v, unsigned n) { return VectorIsZeroT(v, n); }
bool VectorIsZero(const float* v, unsigned n) { return VectorIsZeroT(v, n); }

void VectorSet(double* v, unsigned n, double x) {
    for (unsigned i = 0; i < n; ++i) v[i] = x;
}

void VectorSet(float* v, unsigned n, float x) {
    for (unsigned i = 0; i < n; ++i) v[i] = x;
}

double Correl(const double* a, const double* b, unsigned n) { return CorrelT(a, b, n); }
float Correl(const float* a, const float* b, unsigned n) { return CorrelT(a, b, n); }

void Rank(const double* v, double* r, unsigned n) { RankT(v, r, n); }
void Rank(const float* v, float* r, unsigned n) { RankT(v, r, n); }

FCOUNT SumCounts(const FCOUNT* counts) {
    FCOUNT sum = 0;
    for (unsigned i = 0; i < MAX_ALPHA; ++i) sum += counts[i];
    return sum;
}
