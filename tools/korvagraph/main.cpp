// korvagraph: draws KorvaGraphLib's charts from a GeoEAS data file, as a
// host application would. See `korvagraph --help`.
#include <string>
#include <vector>

#include "tools/korvagraph/commands.h"

int main(int argc, char** argv) {
  return RunKorvagraph(std::vector<std::string>(argv + 1, argv + argc));
}
