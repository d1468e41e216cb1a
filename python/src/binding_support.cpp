#include "python/src/binding_support.h"

#include "korvagraph/analysis/charts.h"
#include "python/src/options.h"

namespace korvagraph::python {
namespace {

using analysis::Status;

// korvagraph.ColumnError, raised for a column that is not there.
PyObject* column_error = nullptr;

}  // namespace

void Check(const Status& status) {
  if (!status.ok()) throw py::value_error(status.ToString());
}

analysis::Table TableOf(const std::vector<std::string>& names,
                        const std::vector<DoubleArray>& columns,
                        const TableSource& source) {
  if (names.size() != columns.size() || names.empty()) {
    throw py::value_error("expected one name per column, and a column");
  }
  for (size_t c = 0; c < columns.size(); ++c) {
    if (columns[c].ndim() != 1 || columns[c].size() != columns[0].size()) {
      throw py::value_error(
          "column \"" + names[c] + "\" holds " +
          std::to_string(columns[c].size()) + " values, \"" + names[0] + "\" " +
          std::to_string(columns[0].size()) +
          ": expected as many in every column, in one dimension");
    }
  }
  analysis::Table table;
  std::tie(table.title, table.path, table.warnings, std::ignore) = source;
  const std::vector<int64_t>& trimmed = std::get<3>(source);
  const py::gil_scoped_release release;
  for (size_t c = 0; c < columns.size(); ++c) {
    const double* values = columns[c].data();
    table.AddColumn(names[c],
                    std::vector<double>(values, values + columns[c].size()));
  }
  for (size_t c = 0; c < trimmed.size() && c < table.trimmed.size(); ++c) {
    table.trimmed[c] = trimmed[c];
  }
  return table;
}

analysis::Table RequestedTable(const char* function,
                               const std::vector<std::string>& names,
                               const std::vector<DoubleArray>& columns,
                               const TableSource& source,
                               const py::dict& options, ChartRequest* request) {
  ApplyOptions(function, options, OptionScope::kAll, request);
  analysis::Table table = TableOf(names, columns, source);
  const Status found = FindRequestedColumns(table, request->settings.columns);
  if (!found.ok()) {
    PyErr_SetString(column_error, found.error().message.c_str());
    throw py::error_already_set();
  }
  Check(ResolveRequest(request));
  return table;
}

std::unique_ptr<ChartResult> Draw(const std::string& name,
                                  const std::vector<std::string>& names,
                                  const std::vector<DoubleArray>& columns,
                                  const TableSource& source,
                                  const py::dict& options,
                                  const ChartResult::Prepare& prepare) {
  const analysis::ChartKind* kind = analysis::FindChartKind(name);
  if (kind == nullptr) throw py::value_error("unknown chart \"" + name + "\"");
  ChartRequest request;
  analysis::Table table =
      RequestedTable(kind->name, names, columns, source, options, &request);
  std::unique_ptr<ChartResult> chart;
  Status status;
  {
    const py::gil_scoped_release release;
    status = ChartResult::Draw(std::move(table), request, *kind, &chart,
                               prepare);
  }
  Check(status);
  return chart;
}

std::vector<double> ValuesOf(const DoubleArray& array) {
  if (array.ndim() != 1) {
    throw py::value_error("expected values in one dimension, found " +
                          std::to_string(array.ndim()));
  }
  return std::vector<double>(array.data(), array.data() + array.size());
}

void DefineColumnError(py::module_& m) {
  const py::module_ builtins = py::module_::import("builtins");
  py::dict members;
  // KeyError's text is the repr of its message; this one reads as written.
  members["__str__"] = builtins.attr("BaseException").attr("__str__");
  members["__module__"] = "korvagraph";
  members["__doc__"] =
      "A column named in a call is not in the data; the message lists the "
      "columns there are.";
  const py::object type = builtins.attr("type")(
      "ColumnError", py::make_tuple(builtins.attr("KeyError")), members);
  column_error = type.inc_ref().ptr();  // lives as long as the process
  m.attr("ColumnError") = type;
}

}  // namespace korvagraph::python
