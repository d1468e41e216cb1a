#include "tools/sample_data/sample_generator.h"

#include <cmath>
#include <limits>

#include "tools/sample_data/ball_field.h"
#include "tools/sample_data/random_source.h"

namespace {

// Rounds to the digits written to the file, so the file holds exactly the
// coordinates the field was simulated at.
double RoundTo(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  return std::round(value * scale) / scale;
}

// A smooth, gently tilted surface with a little noise: the z coordinate.
double Elevation(double x, double y, RandomSource* random) {
  return 300.0 + 0.06 * x + 0.04 * y +
         15.0 * std::sin(x / 160.0) * std::cos(y / 210.0) + random->Normal();
}

}  // namespace

std::vector<int> SampleDecimals() { return {1, 1, 1, 3, 3}; }

korvagraph::analysis::Table GenerateSample(const SampleModel& model) {
  RandomSource random(model.seed);
  const std::vector<int> decimals = SampleDecimals();
  std::vector<PlanePoint> points(model.count);
  for (PlanePoint& p : points) {
    p.x = RoundTo(model.side * random.Uniform(), decimals[0]);
    p.y = RoundTo(model.side * random.Uniform(), decimals[1]);
  }
  // The exact simulation needs a matrix of count^2 numbers; large sets take
  // the ball sum, whose time and memory grow with the count.
  const std::vector<double> field =
      model.count <= kLargestExactCount
          ? SimulateGaussianField(points, model.field, &random)
          : SimulateBallField(points, model.field, &random);

  std::vector<double> x(model.count), y(model.count), z(model.count);
  std::vector<double> copper(model.count), zinc(model.count);
  const double independent = std::sqrt(1.0 - model.rho * model.rho);
  for (int i = 0; i < model.count; ++i) {
    x[i] = points[i].x;
    y[i] = points[i].y;
    z[i] = RoundTo(Elevation(x[i], y[i], &random), decimals[2]);
    copper[i] = RoundTo(
        std::exp(model.copper_mu + model.copper_sigma * field[i]), decimals[3]);
    const double w = random.Normal();
    zinc[i] = RoundTo(
        std::exp(model.zinc_mu +
                 model.zinc_sigma * (model.rho * field[i] + independent * w)),
        decimals[4]);
    if (model.missing_every > 0 && (i + 1) % model.missing_every == 0) {
      zinc[i] = std::numeric_limits<double>::quiet_NaN();
    }
  }

  korvagraph::analysis::Table data;
  data.title =
      "KorvaGraph sample: lognormal copper over a spherical Gaussian field";
  data.AddColumn("X", std::move(x));
  data.AddColumn("Y", std::move(y));
  data.AddColumn("Elevation", std::move(z));
  data.AddColumn("Copper", std::move(copper));
  data.AddColumn("Zinc", std::move(zinc));
  return data;
}
