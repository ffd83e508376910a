// Small linear systems for the circle fits and the splines.
#pragma once

// Dense Gaussian elimination with partial pivoting on the row-major n x n array a;
// the solution overwrites b. 0 when the matrix is (nearly) singular.
int SolveLinearSystem(double* a, double* b, int n);
// Thomas algorithm: lo[i] and up[i] are the neighbours of di[i] in row i (lo[0] and
// up[n-1] unused); the solution overwrites b. 0 on a zero pivot.
int SolveTridiagonal(const double* lo, const double* di, const double* up, double* b, int n);
