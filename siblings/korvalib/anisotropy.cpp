#include "siblings/korvalib/anisotropy.h"

#include <cmath>

namespace korvalib {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180.0;

double StretchOf(double ratio) {
  return (ratio > 0.0 && std::isfinite(ratio)) ? 1.0 / ratio : 1.0;
}

}  // namespace

// The classic geostatistics rotation: alpha is the azimuth turned into a
// mathematical angle (counter-clockwise from east), beta the dip (negated
// there, so that a positive dip points the major axis up), theta the rake.
Anisotropy::Anisotropy(double azimuth, double dip, double rake,
                       double minor_ratio, double vertical_ratio) {
  const double alpha = (90.0 - azimuth) * kDegree;
  const double beta = -dip * kDegree;
  const double theta = rake * kDegree;
  const double sina = std::sin(alpha), cosa = std::cos(alpha);
  const double sinb = std::sin(beta), cosb = std::cos(beta);
  const double sint = std::sin(theta), cost = std::cos(theta);
  const double minor = StretchOf(minor_ratio);
  const double vertical = StretchOf(vertical_ratio);

  rotation_[0][0] = cosb * cosa;
  rotation_[0][1] = cosb * sina;
  rotation_[0][2] = -sinb;
  rotation_[1][0] = minor * (-cost * sina + sint * sinb * cosa);
  rotation_[1][1] = minor * (cost * cosa + sint * sinb * sina);
  rotation_[1][2] = minor * (sint * cosb);
  rotation_[2][0] = vertical * (sint * sina + cost * sinb * cosa);
  rotation_[2][1] = vertical * (-sint * cosa + cost * sinb * sina);
  rotation_[2][2] = vertical * (cost * cosb);
}

double Anisotropy::Distance(double dx, double dy, double dz) const {
  double sum = 0.0;
  for (const auto& row : rotation_) {
    const double component = row[0] * dx + row[1] * dy + row[2] * dz;
    sum += component * component;
  }
  return std::sqrt(sum);
}

}  // namespace korvalib
