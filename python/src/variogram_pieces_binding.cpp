// The variograms in pieces for Python: the pieces of a call's variogram
// sets (the samples of each part, the lags and directions), the sums of a
// tile of two blocks of them, their merge, and the chart drawn from merged
// sums. korvagraph.dask runs the tiles on a cluster with these.
#include <pybind11/stl.h>

#include <algorithm>
#include <numeric>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "korvagraph/analysis/variogram_sums.h"
#include "python/src/binding_support.h"

namespace korvagraph::python {
namespace {

using analysis::Status;
using analysis::VariogramSums;

// A block of samples as the package holds it: x, y, z and the values of
// every part (parts x samples).
using Block = std::tuple<DoubleArray, DoubleArray, DoubleArray, DoubleArray>;
// A direction: its azimuth, angle tolerance and bandwidth.
using DirectionTuple = std::tuple<double, double, double>;

template <typename T>
py::array_t<T> Copy(const std::vector<T>& values) {
  return ArrayOf(std::vector<T>(values));
}

template <typename T>
std::vector<T> VectorOf(
    const py::array_t<T, py::array::c_style | py::array::forcecast>& array) {
  return std::vector<T>(array.data(), array.data() + array.size());
}

// The samples of part p of a block (coordinates shared by every part).
std::vector<analysis::Samples> PartsOf(const Block& block) {
  const std::vector<double> x = ValuesOf(std::get<0>(block));
  const std::vector<double> y = ValuesOf(std::get<1>(block));
  const std::vector<double> z = ValuesOf(std::get<2>(block));
  const DoubleArray& values = std::get<3>(block);
  const size_t n = x.size();
  if (y.size() != n || z.size() != n || values.ndim() != 2 ||
      static_cast<size_t>(values.shape(1)) != n) {
    throw py::value_error(
        "a block: expected x, y and z of one length and values of that many "
        "columns, a row per part");
  }
  std::vector<analysis::Samples> parts(values.shape(0));
  for (size_t p = 0; p < parts.size(); ++p) {
    parts[p].x = x;
    parts[p].y = y;
    parts[p].z = z;
    parts[p].value.assign(values.data(p, 0), values.data(p, 0) + n);
    parts[p].value2.assign(n, 0.0);
    parts[p].row.resize(n);
    for (size_t i = 0; i < n; ++i) parts[p].row[i] = static_cast<int64_t>(i);
  }
  return parts;
}

analysis::LagSettings LagsOf(double lag, int lags, double lagtol) {
  if (!(lag > 0.0) || lags < 1 || lags > analysis::kMaxLagCount) {
    throw py::value_error("lags: expected a spacing above 0 and 1 to " +
                          std::to_string(analysis::kMaxLagCount) + " lags");
  }
  return analysis::LagSettings{lag, lags, lagtol};
}

// The sums of the tile (first, second) of every part; second None: the
// pairs within first.
std::vector<VariogramSums> TileSums(
    const Block& first, const std::optional<Block>& second, double lag,
    int lags, double lagtol, const std::vector<DirectionTuple>& directions) {
  const analysis::LagSettings lag_settings = LagsOf(lag, lags, lagtol);
  std::vector<analysis::Direction> tested;
  for (const auto& [azimuth, tolerance, bandwidth] : directions) {
    tested.push_back({azimuth, tolerance, bandwidth});
  }
  const std::vector<analysis::Samples> a = PartsOf(first);
  const std::vector<analysis::Samples> b =
      second ? PartsOf(*second) : std::vector<analysis::Samples>();
  if (second && b.size() != a.size()) {
    throw py::value_error("the blocks of a tile hold different parts");
  }
  std::vector<VariogramSums> sums(a.size());
  Status status;
  {
    const py::gil_scoped_release release;
    for (size_t p = 0; p < a.size() && status.ok(); ++p) {
      status = second ? analysis::VariogramTileSums(a[p], b[p], lag_settings,
                                                    tested, &sums[p])
                      : analysis::VariogramTileSums(a[p], lag_settings, tested,
                                                    &sums[p]);
    }
  }
  Check(status);
  return sums;
}

// The pieces of every variogram set of a call, a dict each.
py::list Pieces(const std::vector<std::string>& names,
                const std::vector<DoubleArray>& columns,
                const TableSource& source, const py::dict& options) {
  ChartRequest request;
  analysis::Table table =
      RequestedTable("variograms", names, columns, source, options, &request);
  std::unique_ptr<analysis::Session> session;
  std::vector<analysis::VariogramPieces> sets;
  Status status;
  {
    const py::gil_scoped_release release;
    status = analysis::Session::Open(std::move(table), request.settings,
                                     &session);
    for (int i = 0; status.ok() && i < session->VariogramSetCount(); ++i) {
      sets.emplace_back();
      status = session->PiecesOf(i, &sets.back());
    }
  }
  Check(status);
  py::list result;
  for (const analysis::VariogramPieces& set : sets) {
    const analysis::Samples& first = set.parts.front();
    const size_t n = static_cast<size_t>(first.size());
    py::array_t<double> values({set.parts.size(), n});
    for (size_t p = 0; p < set.parts.size(); ++p) {
      std::copy(set.parts[p].value.begin(), set.parts[p].value.end(),
                values.mutable_data(p, 0));
    }
    std::vector<DirectionTuple> directions;
    for (const analysis::Direction& d : set.directions) {
      directions.emplace_back(d.azimuth, d.tolerance, d.bandwidth);
    }
    py::dict piece;
    piece["name"] = set.name;
    piece["x"] = Copy(first.x);
    piece["y"] = Copy(first.y);
    piece["z"] = Copy(first.z);
    piece["values"] = values;
    piece["weights"] = set.weights;
    piece["lag"] = set.lags.spacing;
    piece["lags"] = set.lags.count;
    piece["lagtol"] = set.lags.tolerance;  // as asked: 0 is "not set"
    piece["directions"] = directions;
    result.append(piece);
  }
  return result;
}

std::unique_ptr<ChartResult> DrawFromSums(
    const std::string& name, const std::vector<std::string>& names,
    const std::vector<DoubleArray>& columns, const TableSource& source,
    const py::dict& options,
    const std::vector<std::vector<VariogramSums>>& sums) {
  return Draw(name, names, columns, source, options,
              [&sums](analysis::Session* session) {
                if (static_cast<int>(sums.size()) !=
                    session->VariogramSetCount()) {
                  return Status::Failure(
                      "sums: expected those of " +
                      std::to_string(session->VariogramSetCount()) +
                      " variogram sets, found " + std::to_string(sums.size()));
                }
                for (size_t i = 0; i < sums.size(); ++i) {
                  const Status status = session->SetVariogramSums(
                      static_cast<int>(i), sums[i]);
                  if (!status.ok()) return status;
                }
                return Status::Ok();
              });
}

VariogramSums SumsOf(int32_t directions, int32_t entries,
                     const py::array_t<int64_t, py::array::c_style |
                                                    py::array::forcecast>& pairs,
                     const DoubleArray& distance, const DoubleArray& squared) {
  VariogramSums sums;
  sums.directions = directions;
  sums.entries = entries;
  sums.pairs = VectorOf(pairs);
  sums.distance = VectorOf(distance);
  sums.squared = VectorOf(squared);
  const size_t size = static_cast<size_t>(directions) * entries;
  if (directions < 0 || entries < 0 || sums.pairs.size() != size ||
      sums.distance.size() != size || sums.squared.size() != size) {
    throw py::value_error(
        "VariogramSums: expected pairs, distance and squared of directions x "
        "entries values each");
  }
  return sums;
}

}  // namespace

void DefineVariogramPieces(py::module_& m) {
  py::class_<VariogramSums>(m, "VariogramSums", R"(The sums of the pairs of a tile of samples, by direction and lag entry.

pairs (int64), distance (the sum of the pairs' distances) and squared (the
sum of their squared value differences) each hold directions x entries
values, direction by direction; entries are the lags plus two (pairs at one
place, pairs closer than the first lag). merge adds another tile's sums;
merged in a fixed order, the sums of every tile give the same variograms
on any number of machines. Pickles as plain arrays.)")
      .def(py::init([](int32_t directions, int32_t entries) {
             if (directions < 0 || entries < 0) {
               throw py::value_error("expected counts of 0 or more");
             }
             return VariogramSums::Zero(directions, entries);
           }),
           py::arg("directions") = 0, py::arg("entries") = 0)
      .def_readonly("directions", &VariogramSums::directions)
      .def_readonly("entries", &VariogramSums::entries)
      .def_property_readonly(
          "pairs", [](const VariogramSums& s) { return Copy(s.pairs); })
      .def_property_readonly(
          "distance", [](const VariogramSums& s) { return Copy(s.distance); })
      .def_property_readonly(
          "squared", [](const VariogramSums& s) { return Copy(s.squared); })
      .def(
          "merge",
          [](VariogramSums& total, const VariogramSums& part) {
            Check(analysis::MergeVariogramSums(part, &total));
          },
          "Adds another tile's sums to these (a shape of none takes the "
          "other's); ValueError when their shapes differ.")
      .def("__repr__",
           [](const VariogramSums& s) {
             // The first direction takes every pair.
             const auto first = s.pairs.begin();
             const int64_t pairs = std::accumulate(
                 first, first + std::min<size_t>(s.entries, s.pairs.size()),
                 int64_t{0});
             return "<korvagraph.VariogramSums " +
                    std::to_string(s.directions) + " directions x " +
                    std::to_string(s.entries) + " entries, " +
                    std::to_string(pairs) + " pairs in the first>";
           })
      .def(py::pickle(
          [](const VariogramSums& s) {
            return py::make_tuple(s.directions, s.entries, Copy(s.pairs),
                                  Copy(s.distance), Copy(s.squared));
          },
          [](const py::tuple& t) {
            if (t.size() != 5) throw py::value_error("not VariogramSums");
            return SumsOf(
                t[0].cast<int32_t>(), t[1].cast<int32_t>(),
                t[2].cast<py::array_t<int64_t, py::array::c_style |
                                                   py::array::forcecast>>(),
                t[3].cast<DoubleArray>(), t[4].cast<DoubleArray>());
          }));
  m.def("variogram_pieces", &Pieces);
  m.def("tile_sums", &TileSums);
  m.def("draw_from_sums", &DrawFromSums);
}

}  // namespace korvagraph::python
