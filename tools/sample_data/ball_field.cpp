#include "tools/sample_data/ball_field.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
// Balls over each point on average.
constexpr double kBallsPerPoint = 64.0;

struct Ball {
  double x, y;
  double radius2;  // squared radius of its cut through the plane z = 0
  double weight;
};

}  // namespace

std::vector<double> SimulateBallField(const std::vector<PlanePoint>& points,
                                      const SphericalStructure& model,
                                      RandomSource* random) {
  std::vector<double> field(points.size(), 0.0);
  if (points.empty()) return field;
  double min_x = points[0].x, max_x = min_x, min_y = points[0].y, max_y = min_y;
  for (const PlanePoint& p : points) {
    min_x = std::min(min_x, p.x);
    max_x = std::max(max_x, p.x);
    min_y = std::min(min_y, p.y);
    max_y = std::max(max_y, p.y);
  }
  // Balls of diameter range, centred within a radius of the plane's box.
  const double radius = 0.5 * model.range;
  const double low_x = min_x - radius, low_y = min_y - radius;
  const double span_x = max_x - min_x + 2 * radius;
  const double span_y = max_y - min_y + 2 * radius;
  const double space = span_x * span_y * 2 * radius;
  const double ball = 4.0 / 3.0 * kPi * radius * radius * radius;
  const int count = static_cast<int>(std::ceil(kBallsPerPoint * space / ball));

  // Balls by cells one radius wide, so a point looks at its 3 x 3 cells.
  const int columns = static_cast<int>(span_x / radius) + 1;
  const int rows = static_cast<int>(span_y / radius) + 1;
  std::vector<std::vector<Ball>> cells(static_cast<size_t>(columns) * rows);
  for (int b = 0; b < count; ++b) {
    const double x = low_x + span_x * random->Uniform();
    const double y = low_y + span_y * random->Uniform();
    const double z = radius * (2.0 * random->Uniform() - 1.0);
    const int column = static_cast<int>((x - low_x) / radius);
    const int row = static_cast<int>((y - low_y) / radius);
    cells[static_cast<size_t>(row) * columns + column].push_back(
        {x, y, radius * radius - z * z, random->Normal()});
  }
  // Each point's weight sum has variance kBallsPerPoint.
  const double structured = std::sqrt(model.part / kBallsPerPoint);
  const double nugget = std::sqrt(model.nugget);
  for (size_t i = 0; i < points.size(); ++i) {
    const PlanePoint& p = points[i];
    const int column = static_cast<int>((p.x - low_x) / radius);
    const int row = static_cast<int>((p.y - low_y) / radius);
    double sum = 0.0;
    for (int r = std::max(row - 1, 0); r <= std::min(row + 1, rows - 1); ++r) {
      for (int c = std::max(column - 1, 0);
           c <= std::min(column + 1, columns - 1); ++c) {
        for (const Ball& b : cells[static_cast<size_t>(r) * columns + c]) {
          const double dx = p.x - b.x, dy = p.y - b.y;
          if (dx * dx + dy * dy < b.radius2) sum += b.weight;
        }
      }
    }
    field[i] = structured * sum + nugget * random->Normal();
  }
  return field;
}
