// A chart's table of numbers as JSON and CSV, for hosts that take the
// numbers away.
#include <cstdio>

#include "korvagraph/analysis/charts.h"
#include "korvagraph/analysis/json.h"

namespace korvagraph::analysis {
namespace {

// Returns text as a CSV field: quoted when it holds a separator, a quote
// or a line break.
std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text)
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace

std::string ChartTableJson(const ChartTable& table) {
  std::vector<std::string> objects;
  for (size_t r = 0; r < table.rows.size(); ++r) {
    JsonObject object;
    for (size_t c = 0; c < table.label_names.size(); ++c) {
      object.Text(table.label_names[c], table.labels[r][c]);
    }
    for (size_t c = 0; c < table.columns.size(); ++c) {
      object.Number(table.columns[c], table.rows[r][c]);
    }
    objects.push_back(object.str());
  }
  return JsonArray(objects);
}

std::string ChartTableCsv(const ChartTable& table) {
  std::string csv;
  for (const std::vector<std::string>* names :
       {&table.label_names, &table.columns}) {
    for (const std::string& name : *names) {
      csv += (csv.empty() ? "" : ",") + CsvField(name);
    }
  }
  csv += "\n";
  for (size_t r = 0; r < table.rows.size(); ++r) {
    std::string line;
    for (const std::string& label : table.labels[r]) {
      line += (line.empty() ? "" : ",") + CsvField(label);
    }
    for (double number : table.rows[r]) {
      line += (line.empty() ? "" : ",") + JsonNumber(number);
    }
    csv += line + "\n";
  }
  return csv;
}

}  // namespace korvagraph::analysis
