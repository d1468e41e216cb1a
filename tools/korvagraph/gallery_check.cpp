#include "tools/korvagraph/gallery_check.h"

#include <fstream>
#include <iterator>

#include "tools/korvagraph/png_reader.h"

std::vector<std::string> PicturesInIndex(const std::string& html) {
  static const std::string kSrc = "src=\"";
  std::vector<std::string> names;
  size_t pos = 0;
  while ((pos = html.find(kSrc, pos)) != std::string::npos) {
    pos += kSrc.size();
    const size_t end = html.find('"', pos);
    if (end == std::string::npos) break;
    const std::string name = html.substr(pos, end - pos);
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0) {
      names.push_back(name);
    }
    pos = end;
  }
  return names;
}

Status CheckGallery(const std::string& dir, int* checked,
                    std::vector<std::string>* problems) {
  *checked = 0;
  const std::string index = dir + "/index.html";
  std::ifstream in(index, std::ios::binary);
  if (!in) return Status::Error(index + ": missing");
  const std::string html((std::istreambuf_iterator<char>(in)),
                         std::istreambuf_iterator<char>());
  const std::vector<std::string> pictures = PicturesInIndex(html);
  if (pictures.empty()) return Status::Error(index + ": shows no picture");
  for (const std::string& name : pictures) {
    ++*checked;
    PngImage image;
    const Status status = ReadPng(dir + "/" + name, &image);
    if (!status.ok()) {
      problems->push_back(status.message());
    } else if (CountColours(image, 2) < 2) {
      problems->push_back(dir + "/" + name + ": blank (a single colour)");
    }
  }
  return Status::Ok();
}
