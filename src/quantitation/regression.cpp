#include "quantitation/regression.h"

#include <cmath>

LineFit fitLine(const std::vector<double> &x, const std::vector<double> &y, const std::vector<double> &weights) {
  LineFit fit;
  const std::size_t n = std::min(x.size(), y.size());
  fit.n = static_cast<int>(n);
  if (n < 2) return fit;
  std::vector<double> w(n, 1.0);
  if (weights.size() >= n) {
    double sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum += weights[i];
    fit.weightScale = n / sum;
    for (std::size_t i = 0; i < n; ++i) w[i] = weights[i] * fit.weightScale;
  }
  double sx = 0, sy = 0;
  for (std::size_t i = 0; i < n; ++i) sx += w[i] * x[i], sy += w[i] * y[i];
  fit.meanX = sx / n;
  fit.meanY = sy / n;
  double sxx = 0, sxy = 0, syy = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double dx = x[i] - fit.meanX, dy = y[i] - fit.meanY;
    sxx += w[i] * dx * dx;
    sxy += w[i] * dx * dy;
    syy += w[i] * dy * dy;
  }
  fit.sxx = sxx;
  if (!(sxx > 0)) return fit;
  fit.slope = sxy / sxx;
  fit.intercept = fit.meanY - fit.slope * fit.meanX;
  double residual = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double r = y[i] - fit.intercept - fit.slope * x[i];
    residual += w[i] * r * r;
  }
  if (syy > 0) fit.r2 = 1 - residual / syy;
  if (n > 2) fit.residualSd = std::sqrt(residual / (n - 2));
  return fit;
}

double predictX(const LineFit &fit, double y0) { return (y0 - fit.intercept) / fit.slope; }

double predictionUncertainty(const LineFit &fit, double y0, int m, double weight0) {
  const double b = fit.slope;
  const double w0 = weight0 * fit.weightScale;
  const double dy = y0 - fit.meanY;
  return fit.residualSd / std::fabs(b) * std::sqrt(1.0 / (m * w0) + 1.0 / fit.n + dy * dy / (b * b * fit.sxx));
}

double extrapolationUncertainty(const LineFit &fit) {
  const double b = fit.slope;
  return fit.residualSd / std::fabs(b) * std::sqrt(1.0 / fit.n + fit.meanY * fit.meanY / (b * b * fit.sxx));
}
