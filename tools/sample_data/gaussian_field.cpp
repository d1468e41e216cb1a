#include "tools/sample_data/gaussian_field.h"

#include <cmath>

double Covariance(const SphericalStructure& model, double h) {
  if (h >= model.range) return 0.0;
  const double r = h / model.range;
  return model.part * (1.0 - (1.5 * r - 0.5 * r * r * r));
}

bool CholeskyFactor(std::vector<double>* a, int n) {
  std::vector<double>& m = *a;
  for (int j = 0; j < n; ++j) {
    double diagonal = m[j * n + j];
    for (int k = 0; k < j; ++k) diagonal -= m[j * n + k] * m[j * n + k];
    if (!(diagonal > 0.0)) return false;
    const double root = std::sqrt(diagonal);
    m[j * n + j] = root;
    for (int i = j + 1; i < n; ++i) {
      double sum = m[i * n + j];
      for (int k = 0; k < j; ++k) sum -= m[i * n + k] * m[j * n + k];
      m[i * n + j] = sum / root;
    }
    for (int i = 0; i < j; ++i) m[i * n + j] = 0.0;  // keep only the factor
  }
  return true;
}

std::vector<double> SimulateGaussianField(const std::vector<PlanePoint>& points,
                                          const SphericalStructure& model,
                                          RandomSource* random) {
  const int n = static_cast<int>(points.size());
  std::vector<double> matrix(static_cast<size_t>(n) * n);
  for (int i = 0; i < n; ++i) {
    for (int j = 0; j < n; ++j) {
      const double h =
          std::hypot(points[i].x - points[j].x, points[i].y - points[j].y);
      matrix[i * n + j] =
          i == j ? model.nugget + model.part : Covariance(model, h);
    }
  }
  std::vector<double> field(n, 0.0);
  if (!CholeskyFactor(&matrix, n)) return field;
  std::vector<double> normals(n);
  for (double& z : normals) z = random->Normal();
  for (int i = 0; i < n; ++i) {
    double sum = 0.0;
    for (int k = 0; k <= i; ++k) sum += matrix[i * n + k] * normals[k];
    field[i] = sum;
  }
  return field;
}
