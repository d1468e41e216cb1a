// korvagraph._native: the binding of the analysis library and the chart
// exports that the Python package korvagraph wraps. It turns numpy arrays
// into tables, keyword arguments into settings (options.h) and the
// library's results into Python values; the package adds DataFrames, the
// Chart and Model classes and the documentation.
//
// Threads: every call releases the GIL while it computes or draws, and
// takes the LibraryLock where it reaches the chart library.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "korvagraph/analysis/charts.h"
#include "korvagraph/analysis/model.h"
#include "korvagraph/analysis/model_fit.h"
#include "korvagraph/analysis/statistic.h"
#include "korvagraph/analysis/table.h"
#include "python/src/binding_support.h"
#include "python/src/chart_result.h"
#include "python/src/options.h"
#include "python/src/served_workbench.h"
#include "python/src/transforms.h"

namespace korvagraph::python {
namespace {

using analysis::Status;
int PictureIndex(const ChartResult& chart, const std::string& suffix) {
  for (int i = 0; i < chart.PictureCount(); ++i) {
    if (chart.PictureSuffix(i) == suffix) return i;
  }
  throw py::value_error("this chart has no picture \"" + suffix + "\"");
}

double CheckedScale(double scale) {
  if (!(scale >= 0.25 && scale <= 8.0)) {
    throw py::value_error("scale: expected a factor from 0.25 to 8, found " +
                          analysis::Formatted(scale));
  }
  return scale;
}

py::bytes PictureOf(const ChartResult& chart, const std::string& suffix,
                    const std::string& format_name, double scale) {
  analysis::ImageFormat format = analysis::ImageFormat::kPng;
  analysis::ParseImageFormat(format_name, &format);
  const int i = PictureIndex(chart, suffix);
  scale = CheckedScale(scale);
  std::string bytes;
  Status status;
  {
    const py::gil_scoped_release release;
    status = chart.Bytes(i, format, scale, &bytes);
  }
  Check(status);
  return py::bytes(bytes);
}

py::array_t<uint8_t> PixelsOf(const ChartResult& chart,
                              const std::string& suffix) {
  const int i = PictureIndex(chart, suffix);
  std::vector<uint8_t> rgb;
  {
    const py::gil_scoped_release release;
    rgb = chart.Rgb(i);
  }
  const CanvasWindow& window = chart.Window(i);
  return ArrayOf(std::move(rgb)).reshape({window.Height(), window.Width(), 3});
}

std::vector<std::string> SaveChart(const ChartResult& chart,
                                   const std::string& path, double scale) {
  std::vector<std::string> written;
  scale = CheckedScale(scale);
  Status status;
  {
    const py::gil_scoped_release release;
    status = chart.Save(path, scale, &written);
  }
  Check(status);
  return written;
}

const analysis::VariogramSet& VariogramsOf(ChartResult* chart) {
  const analysis::VariogramSet* set = nullptr;
  Status status;
  {
    const py::gil_scoped_release release;
    status = chart->Variograms(&set);
  }
  Check(status);
  return *set;
}

// The chart's table of numbers (DrawnChart.table) as columns: its texts as
// lists of str, lag and pairs as whole numbers, the others as floats.
py::dict TableColumns(const ChartResult& chart) {
  const analysis::ChartTable& table = chart.table();
  py::dict columns;
  for (size_t c = 0; c < table.label_names.size(); ++c) {
    std::vector<std::string> texts;
    for (const std::vector<std::string>& row : table.labels) {
      texts.push_back(row[c]);
    }
    columns[table.label_names[c].c_str()] = texts;
  }
  for (size_t c = 0; c < table.columns.size(); ++c) {
    const std::string& name = table.columns[c];
    if (name == "lag" || name == "pairs") {
      std::vector<int64_t> wholes;
      for (const std::vector<double>& row : table.rows) {
        wholes.push_back(static_cast<int64_t>(row[c]));
      }
      columns[name.c_str()] = ArrayOf(std::move(wholes));
    } else {
      std::vector<double> numbers;
      for (const std::vector<double>& row : table.rows) {
        numbers.push_back(row[c]);
      }
      columns[name.c_str()] = ArrayOf(std::move(numbers));
    }
  }
  return columns;
}

// What a fit of a variogram chart's table needs besides its rows: the lags
// and the sill line of the session's (first) variogram set.
py::dict VariogramAttrs(ChartResult* chart) {
  const analysis::VariogramSet& set = VariogramsOf(chart);
  const analysis::VariogramSettings& settings = chart->settings().variogram;
  py::dict attrs;
  attrs["lag"] = set.lags.spacing;
  attrs["lags"] = set.lags.count;
  attrs["lagtol"] = set.lags.Tolerance();
  attrs["variance"] = set.variance;
  attrs["atol"] = settings.angle_tolerance;
  attrs["bandwidth"] = settings.bandwidth;
  return attrs;
}

// (model, description, warnings, fitted, lags used) of a fit.
py::tuple FitTuple(const analysis::ModelFit& fit,
                   const analysis::FitSettings& settings) {
  return py::make_tuple(
      ModelTuple(fit.model), analysis::ModelDescription(fit, settings),
      analysis::FitWarnings(fit, settings), fit.fitted, fit.lags_used);
}

py::tuple FitRows(const std::vector<analysis::VariogramRow>& rows,
                  const std::vector<analysis::Direction>& directions,
                  const analysis::LagSettings& lags, double variance,
                  const py::dict& options) {
  ChartRequest request;
  ApplyOptions("fit", options, OptionScope::kModel, &request);
  const analysis::FitSettings& settings = request.settings.model;
  Check(analysis::ValidateFitSettings(settings));
  analysis::ModelFit fit;
  {
    const py::gil_scoped_release release;
    fit = analysis::FitRows(rows, directions, lags, variance, settings);
  }
  return FitTuple(fit, settings);
}

py::tuple FitChart(ChartResult* chart, const py::dict& options) {
  const analysis::VariogramSet& set = VariogramsOf(chart);
  return FitRows(set.rows, set.directions, set.lags, set.variance, options);
}

// Rebuilds the rows of a variogram table (see VariogramTable) and fits them.
py::tuple FitTable(const std::vector<std::string>& direction,
                   const py::array_t<int64_t, py::array::forcecast>& lag,
                   const DoubleArray& distance, const DoubleArray& semivariance,
                   const py::array_t<int64_t, py::array::forcecast>& pairs,
                   double spacing, int count, double tolerance, double variance,
                   double angle_tolerance, double bandwidth,
                   const py::dict& options) {
  const size_t n = direction.size();
  if (lag.size() != static_cast<py::ssize_t>(n) ||
      distance.size() != lag.size() || semivariance.size() != lag.size() ||
      pairs.size() != lag.size()) {
    throw py::value_error("the table's columns differ in length");
  }
  if (!(spacing > 0.0) || count < 1 || count > analysis::kMaxLagCount) {
    throw py::value_error("the table's lag spacing or count is out of range");
  }
  analysis::LagSettings lags;
  lags.spacing = spacing;
  lags.count = count;
  lags.tolerance = tolerance;
  std::vector<std::string> labels;
  std::vector<analysis::Direction> directions;
  std::vector<analysis::VariogramRow> rows;
  for (size_t i = 0; i < n; ++i) {
    size_t r = 0;
    while (r < labels.size() && labels[r] != direction[i]) ++r;
    if (r == labels.size()) {
      analysis::Direction d;  // every direction
      if (direction[i] != "omni") {
        char* end = nullptr;
        d.azimuth = std::strtod(direction[i].c_str(), &end);
        if (end == direction[i].c_str() || *end != '\0') {
          throw py::value_error(
              "direction: expected \"omni\" or an azimuth, "
              "found \"" +
              direction[i] + "\"");
        }
        d.tolerance = angle_tolerance;
        d.bandwidth = bandwidth;
      }
      labels.push_back(direction[i]);
      directions.push_back(d);
      rows.emplace_back(count + 2, Variogram{});
    }
    const int64_t k = lag.at(i);
    if (k < 1 || k > count) {
      throw py::value_error("lag: expected 1 to " + std::to_string(count) +
                            ", found " + std::to_string(k));
    }
    Variogram& entry = rows[r][k + 1];
    entry.h = distance.at(i);
    entry.gamma = semivariance.at(i);
    entry.npairs = static_cast<LONG>(pairs.at(i));
  }
  return FitRows(rows, directions, lags, variance, options);
}

py::tuple ModelCurveOf(const py::object& model, double lag, int count,
                       double azimuth) {
  const analysis::VariogramModel parsed = ModelOf(model, "model_curve");
  if (!(lag > 0.0 && std::isfinite(lag)) || count < 1 ||
      count > analysis::kMaxLagCount) {
    throw py::value_error(
        "model_curve: expected a positive lag and a count from 1 to " +
        std::to_string(analysis::kMaxLagCount));
  }
  std::vector<ModIndVrg> curve;
  {
    const py::gil_scoped_release release;
    curve = ModelCurve(parsed, lag, count, azimuth);
  }
  std::vector<double> h, value;
  for (const ModIndVrg& record : curve) {
    h.push_back(record.h);
    value.push_back(record.value);
  }
  return py::make_tuple(ArrayOf(std::move(h)), ArrayOf(std::move(value)));
}

// Returns the transform of values into a new array of their shape.
template <typename Transform>
py::array_t<double> Transformed(const DoubleArray& values,
                                Transform transform) {
  if (values.size() > kMaxTransformValues) {
    throw py::value_error("expected at most 2147483647 values");
  }
  py::array_t<double> out(
      std::vector<py::ssize_t>(values.shape(), values.shape() + values.ndim()));
  const double* in = values.data();
  double* result = out.mutable_data();
  const int64_t count = values.size();
  {
    const py::gil_scoped_release release;
    transform(in, count, result);
  }
  return out;
}

py::tuple ReadTable(const std::string& path, const std::string& format,
                    double tmin, double tmax) {
  analysis::Table table;
  const analysis::TrimLimits limits{tmin, tmax};
  Status status;
  {
    const py::gil_scoped_release release;
    status = format == "geoeas" ? analysis::ReadGeoEas(path, limits, &table)
             : format == "csv"  ? analysis::ReadCsv(path, limits, &table)
                                : analysis::ReadTable(path, limits, &table);
  }
  Check(status);
  py::list columns;
  for (std::vector<double>& column : table.columns) {
    columns.append(ArrayOf(std::move(column)));
  }
  return py::make_tuple(
      table.names, columns, table.title, table.path,
      table.format == analysis::TableFormat::kCsv ? "csv" : "geoeas",
      table.warnings, table.trimmed);
}

std::unique_ptr<ServedWorkbench> Serve(const std::vector<std::string>& names,
                                       const std::vector<DoubleArray>& columns,
                                       const TableSource& source,
                                       const py::dict& options, int port) {
  if (port < 0 || port > 65535) {
    throw py::value_error("port: expected 0 to 65535, found " +
                          std::to_string(port));
  }
  ChartRequest request;
  analysis::Table table =
      RequestedTable("serve", names, columns, source, options, &request);
  Options served;
  served.settings = request.settings;
  served.width = request.width;
  served.height = request.height;
  served.host = "127.0.0.1";
  served.port = port;
  std::unique_ptr<ServedWorkbench> workbench;
  Status status;
  {
    const py::gil_scoped_release release;
    status = ServedWorkbench::Start(std::move(table), served, &workbench);
  }
  Check(status);
  return workbench;
}

const char* UseName(analysis::ColumnUse use) {
  switch (use) {
    case analysis::ColumnUse::kBoth:
      return "both";
    case analysis::ColumnUse::kLocated:
      return "located";
    case analysis::ColumnUse::kPrimary:
      break;
  }
  return "primary";
}

}  // namespace

void DefineModule(py::module_& m) {
  m.doc() = "The native part of korvagraph; use the package korvagraph.";
  m.attr("__version__") = KORVAGRAPH_VERSION;
  DefineColumnError(m);

  m.def("chart_kinds", [] {
    std::vector<std::tuple<std::string, std::string, std::string, std::string>>
        kinds;
    for (const analysis::ChartKind& kind : analysis::ChartKinds()) {
      kinds.emplace_back(kind.name, kind.title, kind.description,
                         UseName(kind.uses));
    }
    return kinds;
  });
  m.def("option_helps", [] {
    std::vector<std::tuple<std::string, std::string, bool>> helps;
    for (const OptionHelp& help : OptionHelps()) {
      helps.emplace_back(help.name, help.help, help.model);
    }
    return helps;
  });
  m.def("read_table", &ReadTable);

  py::class_<ChartResult>(m, "ChartResult")
      .def_property_readonly("stats_json",
                             [](const ChartResult& chart) {
                               return analysis::StatisticsJson(chart.stats());
                             })
      .def_property_readonly("warnings", &ChartResult::Warnings)
      .def_property_readonly("pictures",
                             [](const ChartResult& chart) {
                               std::vector<std::string> suffixes;
                               for (int i = 0; i < chart.PictureCount(); ++i) {
                                 suffixes.push_back(chart.PictureSuffix(i));
                               }
                               return suffixes;
                             })
      .def("picture", &PictureOf)
      .def("pixels", &PixelsOf)
      .def("save", &SaveChart)
      .def("table", &TableColumns)
      .def("variogram_attrs", &VariogramAttrs)
      .def("fitted_model",
           [](ChartResult* chart) {
             const analysis::VariogramSet& set = VariogramsOf(chart);
             const analysis::FitSettings& settings = chart->settings().model;
             return FitTuple(set.fit, settings);
           })
      .def("fit", &FitChart);
  m.def("draw", [](const std::string& name,
                   const std::vector<std::string>& names,
                   const std::vector<DoubleArray>& columns,
                   const TableSource& source, const py::dict& options) {
    return Draw(name, names, columns, source, options);
  });
  DefineVariogramPieces(m);
  m.def("fit_table", &FitTable);

  m.def("parse_model", [](const py::str& text) {
    return ModelTuple(ModelOf(text, "Model.parse"));
  });
  m.def("model_json", [](const py::object& model) {
    return analysis::ModelJson(ModelOf(model, "Model.to_json"));
  });
  m.def("model_gslib", [](const py::object& model) {
    return analysis::ModelGslib(ModelOf(model, "Model.to_gslib"));
  });
  m.def("single_structure", [](const std::string& type_name, double nugget,
                               double sill, double range) {
    analysis::ModelType type = analysis::ModelType::kSpherical;
    if (!analysis::ParseModelType(type_name, &type)) {
      throw py::value_error(
          "type: expected \"spherical\", \"exponential\", "
          "\"gaussian\", \"power\" or \"hole\", found \"" +
          type_name + "\"");
    }
    const analysis::VariogramModel model =
        analysis::SingleStructure(type, nugget, sill, range);
    Check(analysis::ValidateModel(model));
    return ModelTuple(model);
  });
  m.def("model_curve", &ModelCurveOf);

  m.def("nscore", [](const DoubleArray& values, double tmin, double tmax) {
    return Transformed(values, [&](const double* in, int64_t n, double* out) {
      NormalScores(in, n, tmin, tmax, out);
    });
  });
  m.def("log_transform", [](const DoubleArray& values, double shift,
                            double tmin, double tmax) {
    return Transformed(values, [&](const double* in, int64_t n, double* out) {
      LogValues(in, n, tmin, tmax, shift, out);
    });
  });

  py::class_<ServedWorkbench>(m, "ServedWorkbench")
      .def_property_readonly("port", &ServedWorkbench::port)
      .def_property_readonly("running", &ServedWorkbench::running)
      .def("stop", &ServedWorkbench::Stop,
           py::call_guard<py::gil_scoped_release>());
  m.def("serve", &Serve);
}

}  // namespace korvagraph::python

PYBIND11_MODULE(_native, m) { korvagraph::python::DefineModule(m); }
