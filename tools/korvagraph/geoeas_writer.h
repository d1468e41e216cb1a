// Writes a DataSet in GeoEAS form: title, column count, one name per line,
// then one row per line. Missing values are written as -999.
#ifndef TOOLS_KORVAGRAPH_GEOEAS_WRITER_H_
#define TOOLS_KORVAGRAPH_GEOEAS_WRITER_H_

#include <ostream>
#include <string>
#include <vector>

#include "tools/korvagraph/data_set.h"
#include "tools/korvagraph/status.h"

// Writes data to out; decimals[c] digits after the point for column c
// (missing entries of decimals mean 3).
void WriteGeoEas(const DataSet& data, const std::vector<int>& decimals,
                 std::ostream* out);

// Writes data to the file at path.
Status WriteGeoEasFile(const DataSet& data, const std::vector<int>& decimals,
                       const std::string& path);

#endif  // TOOLS_KORVAGRAPH_GEOEAS_WRITER_H_
