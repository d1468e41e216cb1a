// A host of the analysis library: its umbrella header compiles alone, with
// only the installed include folder on the path.
#include <korvagraph/analysis.h>

int main() {
  namespace kga = korvagraph::analysis;
  kga::Settings settings;
  settings.columns.primary = "V";
  return kga::ValidateSettings(settings).ok() ? 0 : 1;
}
