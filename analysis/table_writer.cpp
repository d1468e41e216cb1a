#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <ostream>

#include "korvagraph/analysis/table.h"

namespace korvagraph::analysis {
namespace {

constexpr int kDefaultDecimals = 3;

std::string FormatValue(double value, int decimals) {
  if (IsMissing(value)) return "-999";
  char buffer[64];
  std::snprintf(buffer, sizeof(buffer), "%.*f", decimals, value);
  return buffer;
}

}  // namespace

void WriteGeoEas(const Table& data, const std::vector<int>& decimals,
                 std::ostream* out) {
  *out << data.title << '\n' << data.ColumnCount() << '\n';
  for (const std::string& name : data.names) *out << name << '\n';
  for (int64_t row = 0; row < data.RowCount(); ++row) {
    for (int c = 0; c < data.ColumnCount(); ++c) {
      const int digits = c < static_cast<int>(decimals.size())
                             ? decimals[c]
                             : kDefaultDecimals;
      if (c > 0) *out << ' ';
      *out << FormatValue(data.columns[c][row], digits);
    }
    *out << '\n';
  }
}

Status WriteGeoEasFile(const Table& data, const std::vector<int>& decimals,
                       const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    return Status::InFile(path,
                          std::string("cannot write: ") + std::strerror(errno));
  }
  WriteGeoEas(data, decimals, &out);
  out.flush();
  if (!out) return Status::InFile(path, "write failed");
  return Status::Ok();
}

}  // namespace korvagraph::analysis
