// Reads GeoEAS files: a title line, the number of columns, one column name
// per line, then rows of whitespace-separated numbers. Values at or below
// -999, or outside the trimming limits, are missing. Errors name the file,
// the line and what was expected.
#ifndef TOOLS_KORVAGRAPH_GEOEAS_READER_H_
#define TOOLS_KORVAGRAPH_GEOEAS_READER_H_

#include <string>

#include "tools/korvagraph/data_set.h"
#include "tools/korvagraph/status.h"

// The path that names standard input.
inline constexpr char kStandardInput[] = "-";

// Reads the file at path ("-": standard input) into *data (replacing its
// contents), holding values that limits do not keep as missing and counting
// them per column. On failure *data is left in an unspecified state and the
// status says what was wrong.
Status ReadGeoEas(const std::string& path, const TrimLimits& limits,
                  DataSet* data);
// The same with the open limits: only -999 and below is missing.
Status ReadGeoEas(const std::string& path, DataSet* data);

#endif  // TOOLS_KORVAGRAPH_GEOEAS_READER_H_
