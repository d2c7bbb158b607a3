#pragma once
// The straight line of least squares through points (x, y), and what follows
// from it: the x of a measured y with its standard uncertainty, and the
// standard uncertainty of the line's intercept on the x axis.
//
// Weights are scaled to a mean of 1, so equal weights give the ordinary fit
// and the residual standard deviation keeps the size of the y values. With
// n points, weights w and the weighted centroid x̄ = Σwx/n, ȳ = Σwy/n:
//   slope b = Σw(x − x̄)(y − ȳ) / Sxx,  Sxx = Σw(x − x̄)²,  intercept a = ȳ − b x̄
//   s(y/x) = sqrt(Σw(y − a − bx)² / (n − 2))
//   R² = 1 − Σw(y − a − bx)² / Σw(y − ȳ)²

#include <limits>
#include <vector>

struct LineFit {
  static constexpr double kNone = std::numeric_limits<double>::quiet_NaN();
  int n = 0;
  double slope = kNone, intercept = kNone;
  double r2 = kNone;                    // NaN when all y are equal
  double residualSd = kNone;            // s(y/x); NaN for fewer than three points
  double meanX = kNone, meanY = kNone;  // the weighted centroid
  double sxx = kNone;                   // Σw(x − x̄)²
  double weightScale = 1;               // a weight as given times this is the weight the fit used
};

// The line y = intercept + slope·x. No weights: all equal. Fewer than two
// points, or all x equal, give no slope (NaN).
LineFit fitLine(const std::vector<double> &x, const std::vector<double> &y, const std::vector<double> &weights = {});

// The x at which the line reaches y0: (y0 − a) / b.
double predictX(const LineFit &fit, double y0);

// The standard uncertainty of predictX for y0 the mean of m measurements:
//   s(x0) = s(y/x)/|b| · sqrt(1/(m·w0) + 1/n + (y0 − ȳ)² / (b²·Sxx))
// with w0 the fit's weight at x0, `weight0` given on the scale of the weights
// passed to fitLine (1 for an unweighted fit).
double predictionUncertainty(const LineFit &fit, double y0, int m, double weight0 = 1);

// The standard uncertainty of the x-axis intercept a/b of an unweighted line,
// as a standard addition extrapolates to it:
//   s(xE) = s(y/x)/|b| · sqrt(1/n + ȳ²/(b²·Sxx))
double extrapolationUncertainty(const LineFit &fit);
