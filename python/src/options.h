// The keyword arguments of the Python module, one table for every call:
// each keyword named as the command line's option (--model-type is
// model_type), read into the analysis library's settings, the chart's
// options and the picture size. Also the conversions of a variogram model
// between Python objects (korvagraph.Model, its text) and the library's.
#ifndef PYTHON_SRC_OPTIONS_H_
#define PYTHON_SRC_OPTIONS_H_

#include <pybind11/pybind11.h>

#include <string>
#include <utility>
#include <vector>

#include "korvagraph/analysis/model.h"
#include "python/src/chart_result.h"

namespace korvagraph::python {

namespace py = pybind11;

// Which keywords a call takes: every option (the charts, the workbench),
// or those of the model alone (fit).
enum class OptionScope { kAll, kModel };

// Reads each keyword of options into *request by its table entry; None
// leaves a setting at its default. Raises TypeError, naming function and
// the keyword, for an unknown keyword or a value of the wrong type, and
// ValueError for a value out of its range.
void ApplyOptions(const char* function, const py::dict& options,
                  OptionScope scope, ChartRequest* request);

struct OptionHelp {
  std::string name;
  std::string help;  // what it sets, its units and its default
  bool model;        // fit takes it too
};
// Returns every option's help, in table order.
std::vector<OptionHelp> OptionHelps();

// Returns the model value holds: a korvagraph.Model (any object with a
// nugget and structures of type, contribution, range, minor_range and
// azimuth), or a text (a sum such as "0.1 + 0.9 sph(300)", the JSON or the
// GSLIB block). Raises TypeError or ValueError naming `what`.
analysis::VariogramModel ModelOf(py::handle value, const std::string& what);

// Returns (nugget, [(type, contribution, range, minor_range, azimuth),
// ...]), what korvagraph.Model is built from; minor_range is the one in
// force (the range itself for an isotropic structure).
py::tuple ModelTuple(const analysis::VariogramModel& model);

}  // namespace korvagraph::python

#endif  // PYTHON_SRC_OPTIONS_H_
