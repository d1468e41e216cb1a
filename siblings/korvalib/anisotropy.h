// Geometric anisotropy: the rotation of a separation vector into the axes of
// an ellipsoid (major axis given by azimuth, dip and rake) and the stretch
// that turns the ellipsoid into a sphere of the major range.
#ifndef SIBLINGS_KORVALIB_ANISOTROPY_H_
#define SIBLINGS_KORVALIB_ANISOTROPY_H_

namespace korvalib {

class Anisotropy {
 public:
  // Angles in degrees: azimuth clockwise from north (the y axis), dip of the
  // major axis (positive up), rake about the major axis. minor_ratio and
  // vertical_ratio are minor / major and vertical / major range; a ratio
  // that is not positive and finite counts as 1.
  Anisotropy(double azimuth, double dip, double rake, double minor_ratio,
             double vertical_ratio);

  // Returns the length of (dx, dy, dz) (x east, y north, z up) in the
  // ellipsoid's metric: the distance along the major axis that has the
  // same variogram value.
  double Distance(double dx, double dy, double dz) const;

 private:
  double rotation_[3][3];  // rows: major, minor, vertical axis, stretched
};

}  // namespace korvalib

#endif  // SIBLINGS_KORVALIB_ANISOTROPY_H_
