#include "tools/korvagraph/serve/model_text.h"

#include <cstdio>

#include "tools/korvagraph/serve/json_object.h"

Kt3dIntp AnisotropicModelRecord(const WorkbenchModel& m, double direction) {
  Kt3dIntp record{};
  record.nst = 2;
  record.nugget = m.model.nugget;
  record.it[0] = static_cast<LONG>(m.model.type);
  record.p1[0] = record.p2[0] = record.p3[0] = 1.0;
  record.p4[0] = direction;
  record.cc[1] = m.model.sill - m.model.nugget;
  record.it[1] = static_cast<LONG>(m.model.type);
  record.p1[1] = m.model.range;
  record.p2[1] = m.minor_range;
  record.p3[1] = m.model.range;
  record.p4[1] = m.azimuth;
  return record;
}

std::string ModelJson(const WorkbenchModel& m) {
  return JsonObject()
      .Text("type", ModelTypeName(m.model.type))
      .Number("nugget", m.model.nugget)
      .Number("sill", m.model.sill)
      .Number("range", m.model.range)
      .Number("range2", m.minor_range)
      .Number("azimuth", m.azimuth)
      .str();
}

std::string ModelGslib(const WorkbenchModel& m) {
  char text[400];
  std::snprintf(text, sizeof(text),
                "1  %.6g  - nst, nugget effect\n"
                "%d  %.6g  %.6g  0.0  0.0  - it, cc, ang1, ang2, ang3\n"
                "%.6g  %.6g  %.6g  - a_hmax, a_hmin, a_vert\n",
                m.model.nugget, static_cast<int>(m.model.type),
                m.model.sill - m.model.nugget, m.azimuth, m.model.range,
                m.minor_range, m.model.range);
  return text;
}
