#pragma once

#include <cstddef>
#include <vector>

// Element-wise maths on lists of doubles, following the operand conventions
// of the usual vector-maths libraries. Two-operand results have the length
// of the shorter operand.
namespace kit::vec {

using Vector = std::vector<double>;

// C[i] = A[i] + B[i]
Vector add(const Vector& a, const Vector& b);
// C[i] = B[i] − A[i]: the first operand is subtracted from the second, so a − b is sub(b, a).
Vector sub(const Vector& a, const Vector& b);
// C[i] = A[i]·B[i]
Vector mul(const Vector& a, const Vector& b);
// C[i] = A[i]·s
Vector smul(const Vector& a, double s);
// Σ A[i]; 0 for an empty list.
double sum(const Vector& a);
// N values from a to b evenly spaced: C[n] = a + n·(b − a)/(N − 1); N = 1 gives [a].
Vector ramp(double a, double b, std::size_t count);
// Piecewise-linear resampling of the values A placed at ascending positions B,
// read at positions 0…N − 1; before B[0] gives A[0], after the last gives the last.
Vector interp(const Vector& a, const Vector& b, std::size_t count);

} // namespace kit::vec
