// Turning a drawn window into the bytes of a picture file (PNG or SVG) for
// an HTTP reply.
#ifndef TOOLS_KORVAGRAPH_SERVE_PICTURE_BYTES_H_
#define TOOLS_KORVAGRAPH_SERVE_PICTURE_BYTES_H_

#include <functional>
#include <string>

namespace korvagraph {

// Saves a picture file at the path given; false on failure.
using SavePicture = std::function<bool(const std::string& path)>;

// Writes the file that save writes into *bytes; false when it cannot. save
// writes to a private temporary file that has no name in any folder.
bool PictureBytes(const SavePicture& save, std::string* bytes);

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_SERVE_PICTURE_BYTES_H_
