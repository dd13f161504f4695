// Closed-form and bracketed real-polynomial root solvers, degrees two to five.
#pragma once

// Conventions shared by all solvers: polynomials are monic; roots go into the caller's
// array x and the return value counts the real ones. A complex pair p +- i q is stored as
// p, q in adjacent slots after the real roots:
//   SolveP2: 2 -> x[0] >= x[1];            0 -> x[0] +- i x[1]
//   SolveP3: 3 -> x[0..2];                 1 -> x[0], x[1] +- i x[2];
//            2 -> x[0] and a double root x[1] == x[2]
//   SolveP4: 4 -> x[0..3] (unsorted);      2 -> x[0], x[1], x[2] +- i x[3];
//            0 -> x[0] +- i x[1], x[2] +- i x[3]
//   SolveP5: 1 + r -> x[0] real, then the SolveP4 layout with return r in x[1..4]

// Roots of t^2 - a t + b (note the minus sign on a, unlike the other solvers).
int SolveP2(double* x, double a, double b);
// Roots of t^3 + a t^2 + b t + c.
int SolveP3(double* x, double a, double b, double c);
// Roots of t^4 + a t^3 + b t^2 + c t + d.
int SolveP4(double* x, double a, double b, double c, double d);
// Roots of t^5 + a t^4 + b t^3 + c t^2 + d t + e.
int SolveP5(double* x, double a, double b, double c, double d, double e);
// One real root of t^5 + a t^4 + b t^3 + c t^2 + d t + e.
double SolveP5_1(double a, double b, double c, double d, double e);

// Real cube root by three Newton steps: relative error up to about 1e-7 (near 1), not cbrt.
double root3(double x);
// Principal complex square root a + i b of x + i y.
void CSqrt(double x, double y, double& a, double& b);
// Roots of the biquadratic t^4 + b t^2 + d.
int SolveP4Bi(double* x, double b, double d);
// Roots of the depressed quartic t^4 + b t^2 + c t + d.
int SolveP4De(double* x, double b, double c, double d);
// One Newton step from t for t^4 + a t^3 + b t^2 + c t + d; t itself where the slope is 0.
double N4Step(double t, double a, double b, double c, double d);
