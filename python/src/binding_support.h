// What the binding's files share: numpy arrays of the library's types,
// tables made from the package's columns, the request of a call read from
// its keywords, a chart drawn from them, and the errors raised.
#ifndef PYTHON_SRC_BINDING_SUPPORT_H_
#define PYTHON_SRC_BINDING_SUPPORT_H_

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "korvagraph/analysis/session.h"
#include "korvagraph/analysis/status.h"
#include "korvagraph/analysis/table.h"
#include "python/src/chart_result.h"

namespace korvagraph::python {

namespace py = pybind11;

using DoubleArray =
    py::array_t<double, py::array::c_style | py::array::forcecast>;
// Where a table came from: its title, its path, the reader's warnings and
// how many values of each column its limits trimmed.
using TableSource = std::tuple<std::string, std::string,
                               std::vector<std::string>, std::vector<int64_t>>;

// Raises ValueError with the status's message when it failed.
void Check(const analysis::Status& status);

// Returns values as a numpy array that owns them, without copying.
template <typename T>
py::array_t<T> ArrayOf(std::vector<T> values) {
  auto* owned = new std::vector<T>(std::move(values));
  const py::capsule owner(
      owned, [](void* p) { delete static_cast<std::vector<T>*>(p); });
  return py::array_t<T>(static_cast<py::ssize_t>(owned->size()), owned->data(),
                        owner);
}

// Returns a copy of a one-dimensional array's values.
std::vector<double> ValuesOf(const DoubleArray& array);

// Makes a table of the package's columns; ValueError when they differ in
// length.
analysis::Table TableOf(const std::vector<std::string>& names,
                        const std::vector<DoubleArray>& columns,
                        const TableSource& source);

// Opens the table and request of a call: the options read, the table made,
// every named column found (ColumnError otherwise) and the request checked.
analysis::Table RequestedTable(const char* function,
                               const std::vector<std::string>& names,
                               const std::vector<DoubleArray>& columns,
                               const TableSource& source,
                               const py::dict& options, ChartRequest* request);

// Draws chart name of a call's table and options; prepare (when given)
// runs on the session before the chart is drawn.
std::unique_ptr<ChartResult> Draw(const std::string& name,
                                  const std::vector<std::string>& names,
                                  const std::vector<DoubleArray>& columns,
                                  const TableSource& source,
                                  const py::dict& options,
                                  const ChartResult::Prepare& prepare = {});

// Defines korvagraph.ColumnError, which RequestedTable raises.
void DefineColumnError(py::module_& m);

// Defines the variogram pieces: VariogramSums, variogram_pieces, tile_sums
// and draw_from_sums (variogram_pieces_binding.cpp).
void DefineVariogramPieces(py::module_& m);

}  // namespace korvagraph::python

#endif  // PYTHON_SRC_BINDING_SUPPORT_H_
