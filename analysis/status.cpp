#include "korvagraph/analysis/status.h"

namespace korvagraph::analysis {

std::string Status::ToString() const {
  if (ok()) return "";
  if (error_.file.empty()) return error_.message;
  if (error_.line > 0) {
    return error_.file + ":" + std::to_string(error_.line) + ": " +
           error_.message;
  }
  return error_.file + ": " + error_.message;
}

}  // namespace korvagraph::analysis
