// The small numeric functions of shading: pure, so any number of threads may use them.
#pragma once

#include "host_abi.h"

namespace verdanta {

// 0 at or below lo, 1 at or above hi (or above lo when the two meet), a cubic ease between.
double SmoothStep(double lo, double hi, double x);

// The inverse affine map; the identity when the matrix has no inverse.
Matrix34 InvertMatrix(const Matrix34& m);
Vector3 TransformPoint(const Matrix34& m, const Vector3& p);

// Into [0, 1]; NaN passes as it is.
double ClampUnit(double x);
Vector3 ClampColor(const Vector3& color);

// The linear map taking lo to 0 and hi to 1, unclamped.
double RemapToUnit(double lo, double hi, double x);

// Blends b over a; the two halves do not meet at a = 0.5, and the height relies on that jump.
double OverlayBlend(double a, double b);

}  // namespace verdanta
