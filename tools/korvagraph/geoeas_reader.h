// Reads GeoEAS files: a title line, the number of columns, one column name
// per line, then rows of whitespace-separated numbers. Values at or below
// -999 are missing. Errors name the file, the line and what was expected.
#ifndef TOOLS_KORVAGRAPH_GEOEAS_READER_H_
#define TOOLS_KORVAGRAPH_GEOEAS_READER_H_

#include <string>

#include "tools/korvagraph/data_set.h"
#include "tools/korvagraph/status.h"

// Reads the file at path into *data (replacing its contents). On failure
// *data is left in an unspecified state and the status says what was wrong.
Status ReadGeoEas(const std::string& path, DataSet* data);

#endif  // TOOLS_KORVAGRAPH_GEOEAS_READER_H_
