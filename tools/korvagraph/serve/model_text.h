// The workbench's model in the forms it leaves the server: the library's
// model record evaluated along a direction, and the small texts a user saves
// (JSON, and a GSLIB-style variogram parameter block).
#ifndef TOOLS_KORVAGRAPH_SERVE_MODEL_TEXT_H_
#define TOOLS_KORVAGRAPH_SERVE_MODEL_TEXT_H_

#include <string>

#include "korvagraph/KorvaGraphLib.h"
#include "tools/korvagraph/serve/workbench_request.h"

// Returns the model record whose curve runs along direction degrees. The
// record's first structure carries no contribution: its angle names the
// direction of evaluation. The second is the model, with its major and
// minor ranges and the azimuth of its major axis.
Kt3dIntp AnisotropicModelRecord(const WorkbenchModel& model, double direction);

// Returns {"type", "nugget", "sill", "range", "range2", "azimuth"}.
std::string ModelJson(const WorkbenchModel& model);

// Returns the three lines of a GSLIB variogram parameter block:
//   nst nugget / it cc ang1 ang2 ang3 / a_hmax a_hmin a_vert
std::string ModelGslib(const WorkbenchModel& model);

#endif  // TOOLS_KORVAGRAPH_SERVE_MODEL_TEXT_H_
