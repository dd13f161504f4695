// Polynomial root solvers: trigonometric/Cardano cubic, Ferrari-style quartic through the
// resolvent cubic, and a bracketed Newton quintic.
#include "geometry/polynomialRoots.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kEps = 1e-14;                       // tolerance of every test below
constexpr double kTwoPi = 6.283185307179586;
constexpr double kHalfSqrt3 = 0.8660254037844386;    // sqrt(3)/2
constexpr double kNoSlope = 1e99;                    // Newton marker for a vanishing slope

double quartic(double t, double a, double b, double c, double d) { return (((t + a) * t + b) * t + c) * t + d; }

// Bound on the rounding error of evaluating the quartic at t by Horner's rule.
double quarticNoise(double t, double a, double b, double c, double d) {
  const double at = std::fabs(t);
  return 8 * std::numeric_limits<double>::epsilon() *
         ((((at + std::fabs(a)) * at + std::fabs(b)) * at + std::fabs(c)) * at + std::fabs(d));
}

// One Newton step, kept unless it makes |f| worse by more than rounding noise. Near a
// (nearly) double root the slope almost vanishes, and the step can throw a good root far
// away, even onto no root at all.
double polishQuarticRoot(double t, double a, double b, double c, double d) {
  const double next = N4Step(t, a, b, c, d);
  if (std::fabs(quartic(next, a, b, c, d)) > std::fabs(quartic(t, a, b, c, d)) + quarticNoise(next, a, b, c, d))
    return t;
  return next;
}

double quintic(double t, double a, double b, double c, double d, double e) {
  return ((((t + a) * t + b) * t + c) * t + d) * t + e;
}

double quinticSlope(double t, double a, double b, double c, double d) {
  return (((5 * t + 4 * a) * t + 3 * b) * t + 2 * c) * t + d;
}

}  // namespace

double root3(double x) {
  // Scaling would never end on an infinity; NaN has no cube root either.
  if (!std::isfinite(x)) return x;
  if (x > 0) {
    double s = 1;
    // Bring x into [1, 8] by powers of 8, so the linear first guess is good to 10 %.
    while (x < 1) {
      x *= 8;
      s /= 2;
    }
    while (x > 8) {
      x /= 8;
      s *= 2;
    }
    double r = 1.5 - (1.5 - x / 2.25) / 3;
    r -= (r - x / (r * r)) / 3;
    r -= (r - x / (r * r)) / 3;
    r -= (r - x / (r * r)) / 3;
    return r * s;
  }
  if (x < 0) return -root3(-x);
  return 0;
}

void CSqrt(double x, double y, double& a, double& b) {
  const double r = std::sqrt(x * x + y * y);
  if (y == 0) {
    const double sr = std::sqrt(r);
    if (x >= 0) {
      a = sr;
      b = 0;
    } else {
      a = 0;
      b = sr;
    }
    return;
  }
  // Start from the component that needs no cancellation: for x < 0, r + x loses every digit
  // when |y| is small beside |x| (down to a = 0 and b = inf), while r - x does not.
  if (x < 0) {
    b = std::sqrt((r - x) / 2);
    if (y < 0) b = -b;
    a = y / (2 * b);
    return;
  }
  a = std::sqrt((r + x) / 2);
  b = y / (2 * a);
}

int SolveP2(double* x, double a, double b) {
  const double D = a * a / 4 - b;
  if (D >= 0) {
    const double sD = std::sqrt(D);
    x[0] = a / 2 + sD;
    x[1] = a / 2 - sD;
    return 2;
  }
  x[0] = a / 2;
  x[1] = std::sqrt(-D);
  return 0;
}

int SolveP3(double* x, double a, double b, double c) {
  const double q = (a * a - 3 * b) / 9;
  const double r = (2 * a * a * a - 9 * a * b + 27 * c) / 54;
  const double r2 = r * r;
  const double q3 = q * q * q;
  if (r2 < q3) {
    // Three real roots: trigonometric form.
    double ratio = r / std::sqrt(q3);
    if (ratio < -1) ratio = -1;
    if (ratio > 1) ratio = 1;
    const double t = std::acos(ratio);
    const double m = -2 * std::sqrt(q);
    const double a3 = a / 3;
    x[0] = m * std::cos(t / 3) - a3;
    x[1] = m * std::cos((t + kTwoPi) / 3) - a3;
    x[2] = m * std::cos((t - kTwoPi) / 3) - a3;
    return 3;
  }
  // One real root (Cardano); the other two are a pair or a double root.
  double A = -root3(std::fabs(r) + std::sqrt(r2 - q3));
  if (r < 0) A = -A;
  const double B = (A == 0) ? 0 : q / A;
  const double a3 = a / 3;
  x[0] = (A + B) - a3;
  x[1] = -(A + B) / 2 - a3;
  x[2] = kHalfSqrt3 * (A - B);
  if (std::fabs(x[2]) < kEps) {
    x[2] = x[1];
    return 2;
  }
  return 1;
}

int SolveP4Bi(double* x, double b, double d) {
  const double D = b * b - 4 * d;
  if (D >= 0) {
    const double sD = std::sqrt(D);
    const double u1 = (-b - sD) / 2;
    const double u2 = (-b + sD) / 2;
    if (u1 >= 0) {
      const double s1 = std::sqrt(u1), s2 = std::sqrt(u2);
      x[0] = -s2;
      x[1] = s2;
      x[2] = -s1;
      x[3] = s1;
      return 4;
    }
    if (u2 < 0) {
      x[0] = 0;
      x[1] = std::sqrt(-u2);
      x[2] = 0;
      x[3] = std::sqrt(-u1);
      return 0;
    }
    const double s2 = std::sqrt(u2);
    x[0] = -s2;
    x[1] = s2;
    x[2] = 0;
    x[3] = std::sqrt(-u1);
    return 2;
  }
  const double sD = std::sqrt(-D);
  CSqrt(-b / 2, sD / 2, x[0], x[1]);
  CSqrt(-b / 2, -sD / 2, x[2], x[3]);
  return 0;
}

int SolveP4De(double* x, double b, double c, double d) {
  if (std::fabs(c) < kEps * (std::fabs(b) + std::fabs(d))) return SolveP4Bi(x, b, d);

  // Resolvent cubic: its roots are the squares of sums of pairs of quartic roots.
  const int res = SolveP3(x, 2 * b, b * b - 4 * d, -c * c);
  if (res < 2) {
    // One real resolvent root (>= 0 up to rounding) and a complex pair.
    if (x[0] < 0) x[0] = 0;
    const double s1 = std::sqrt(x[0]);
    double sr, si;
    CSqrt(x[1], x[2], sr, si);
    if (c > 0) {
      x[0] = -s1 / 2 - sr;
      x[1] = -s1 / 2 + sr;
      x[2] = s1 / 2;
      x[3] = si;
    } else {
      x[0] = s1 / 2 - sr;
      x[1] = s1 / 2 + sr;
      x[2] = -s1 / 2;
      x[3] = si;
    }
    return 2;
  }

  std::sort(x, x + 3);
  // The resolvent roots multiply to c^2 > 0, so they are either all positive (four real
  // roots) or two negative and one positive (two complex pairs). Near a pair of double
  // roots rounding can leave one sign out of step, whose square root would be NaN: the
  // root of smaller size is taken as the zero it stands for.
  if (x[0] <= 0 && x[1] > 0) {
    if (-x[0] < x[1]) x[0] = 0;
    else x[1] = 0;
  }
  if (x[2] < 0) x[2] = 0;
  if (x[1] > 0) {  // all three now non-negative
    const double s1 = std::sqrt(x[0]), s2 = std::sqrt(x[1]), s3 = std::sqrt(x[2]);
    if (c > 0) {
      x[0] = (-s1 - s2 - s3) / 2;
      x[1] = (-s1 + s2 + s3) / 2;
      x[2] = (s1 - s2 + s3) / 2;
      x[3] = (s1 + s2 - s3) / 2;
    } else {
      x[0] = (-s1 - s2 + s3) / 2;
      x[1] = (-s1 + s2 - s3) / 2;
      x[2] = (s1 - s2 - s3) / 2;
      x[3] = (s1 + s2 + s3) / 2;
    }
    return 4;
  }
  const double s1 = std::sqrt(-x[0]), s2 = std::sqrt(-x[1]), s3 = std::sqrt(x[2]);
  if (c > 0) {
    x[0] = -s3 / 2;
    x[1] = (s1 - s2) / 2;
    x[2] = s3 / 2;
    x[3] = (-s1 - s2) / 2;
  } else {
    x[0] = s3 / 2;
    x[1] = (s2 - s1) / 2;
    x[2] = -s3 / 2;
    x[3] = (s1 + s2) / 2;
  }
  return 0;
}

double N4Step(double t, double a, double b, double c, double d) {
  const double slope = ((4 * t + 3 * a) * t + 2 * b) * t + c;
  // A flat slope means t already sits on a multiple root (or an extremum): keep it.
  if (slope == 0) return t;
  const double f = (((t + a) * t + b) * t + c) * t + d;
  return t - f / slope;
}

int SolveP4(double* x, double a, double b, double c, double d) {
  // Shift t = y - a/4 to remove the cubic term.
  const double p = b - 3 * a * a / 8;
  const double q = a * a * a / 8 - a * b / 2 + c;
  const double r = (a * b / 4 - 3 * a * a * a / 64 - c) * a / 4 + d;
  const int res = SolveP4De(x, p, q, r);
  const double shift = a / 4;
  switch (res) {
    case 4:
      x[0] -= shift;
      x[1] -= shift;
      x[2] -= shift;
      x[3] -= shift;
      break;
    case 2:
      x[0] -= shift;
      x[1] -= shift;
      x[2] -= shift;
      break;
    default:  // two complex pairs: only the real parts move
      x[0] -= shift;
      x[2] -= shift;
      return 0;
  }
  // One Newton step on the unshifted quartic recovers the accuracy lost in the shift.
  x[0] = polishQuarticRoot(x[0], a, b, c, d);
  x[1] = polishQuarticRoot(x[1], a, b, c, d);
  if (res == 4) {
    x[2] = polishQuarticRoot(x[2], a, b, c, d);
    x[3] = polishQuarticRoot(x[3], a, b, c, d);
  }
  return res;
}

double SolveP5_1(double a, double b, double c, double d, double e) {
  if (std::fabs(e) < kEps) return 0;

  // Every root lies within 1 + max |coefficient| of the origin (Cauchy bound); the sign of
  // e tells on which side of 0 the polynomial changes sign.
  const double bound = 1 + std::max({std::fabs(a), std::fabs(b), std::fabs(c), std::fabs(d), std::fabs(e)});
  double x1, x2;
  if (e < 0) {
    x1 = 0;
    x2 = bound;
  } else {
    x1 = -bound;
    x2 = 0;
  }
  const double f1 = quintic(x1, a, b, c, d, e);
  const double f2 = quintic(x2, a, b, c, d, e);
  if (std::fabs(f1) < kEps) return x1;
  if (std::fabs(f2) < kEps) return x2;

  double t = x1;
  for (int i = 0; i < 10; ++i) {
    t = (x1 + x2) / 2;
    const double f = quintic(t, a, b, c, d, e);
    if (std::fabs(f) < kEps) return t;
    if (f > 0) x2 = t;
    else x1 = t;
  }

  // Newton, pulled back to the bracket midpoint whenever it leaves the bracket.
  for (int i = 0; i < 41; ++i) {
    if (!(t > x1 && t < x2)) t = (x1 + x2) / 2;
    const double f = quintic(t, a, b, c, d, e);
    if (std::fabs(f) < kEps) break;
    if (f > 0) x2 = t;
    else x1 = t;
    const double slope = quinticSlope(t, a, b, c, d);
    if (std::fabs(slope) < kEps) {
      t = kNoSlope;
      continue;
    }
    const double step = f / slope;
    t -= step;
    if (!(std::fabs(step) > kEps)) break;
  }
  // The last step may have ended on the marker: the bracket midpoint is the best estimate.
  if (t == kNoSlope) t = (x1 + x2) / 2;
  return t;
}

int SolveP5(double* x, double a, double b, double c, double d, double e) {
  const double r = SolveP5_1(a, b, c, d, e);
  x[0] = r;
  // Synthetic division by (t - r) leaves a monic quartic.
  const double a1 = a + r;
  const double b1 = a1 * r + b;
  const double c1 = b1 * r + c;
  const double d1 = c1 * r + d;
  return SolveP4(x + 1, a1, b1, c1, d1) + 1;
}
