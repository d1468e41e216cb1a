// Checks a rendered gallery: every picture that its index.html shows must
// exist and hold more than one colour (a blank picture means a chart drew
// nothing).
#ifndef TOOLS_KORVAGRAPH_GALLERY_CHECK_H_
#define TOOLS_KORVAGRAPH_GALLERY_CHECK_H_

#include <string>
#include <vector>

#include "korvagraph/analysis/status.h"

namespace korvagraph {

// Returns the PNG and SVG file names that html refers to with src="...", in
// order.
std::vector<std::string> PicturesInIndex(const std::string& html);

// Checks the gallery in dir. Fails when index.html is missing or shows no
// picture; otherwise appends one line per bad picture to *problems and
// writes the number of pictures checked to *checked.
analysis::Status CheckGallery(const std::string& dir, int* checked,
                              std::vector<std::string>* problems);

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_GALLERY_CHECK_H_
