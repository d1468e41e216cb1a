// korvagraph: draws KorvaGraphLib's charts from a GeoEAS or CSV file, as a
// host application would. See `korvagraph --help`.
#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

#include "tools/korvagraph/commands.h"
#include "tools/korvagraph/printable.h"

int main(int argc, char** argv) {
  // Caught here, so that unwinding removes every staged output: a failed
  // run leaves nothing partial behind.
  try {
    return korvagraph::RunKorvagraph(
        std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr,
                 "korvagraph: out of memory: the data set is too large for "
                 "the memory available; nothing was written\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr,
                 "korvagraph: internal error: %s; nothing was written\n",
                 korvagraph::Printable(e.what()).c_str());
  }
  return korvagraph::kExitFailure;
}
