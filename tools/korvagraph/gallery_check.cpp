#include "tools/korvagraph/gallery_check.h"

#include <fstream>
#include <iterator>

#include "tools/korvagraph/png_reader.h"

namespace korvagraph {

using analysis::Status;

namespace {

bool EndsWith(const std::string& name, const char* end) {
  const std::string tail = end;
  return name.size() > tail.size() &&
         name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
}

// Checks an SVG picture: it must be an SVG that paints in more than one
// colour. Returns the problem, or an empty text.
std::string SvgProblem(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return path + ": cannot open";
  const std::string svg((std::istreambuf_iterator<char>(in)),
                        std::istreambuf_iterator<char>());
  if (svg.find("<svg") == std::string::npos) return path + ": not an SVG file";
  static const std::string kFill = "fill:rgb(";
  const size_t first = svg.find(kFill);
  const size_t length = svg.find(')', first) - first;
  for (size_t at = first; at != std::string::npos;
       at = svg.find(kFill, at + 1)) {
    if (svg.compare(at, length, svg, first, length) != 0) return "";
  }
  return path + ": blank (a single colour)";
}

}  // namespace

std::vector<std::string> PicturesInIndex(const std::string& html) {
  static const std::string kSrc = "src=\"";
  std::vector<std::string> names;
  size_t pos = 0;
  while ((pos = html.find(kSrc, pos)) != std::string::npos) {
    pos += kSrc.size();
    const size_t end = html.find('"', pos);
    if (end == std::string::npos) break;
    const std::string name = html.substr(pos, end - pos);
    if (EndsWith(name, ".png") || EndsWith(name, ".svg")) {
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
  if (!in) return Status::Failure(index + ": missing");
  const std::string html((std::istreambuf_iterator<char>(in)),
                         std::istreambuf_iterator<char>());
  const std::vector<std::string> pictures = PicturesInIndex(html);
  if (pictures.empty()) return Status::Failure(index + ": shows no picture");
  for (const std::string& name : pictures) {
    ++*checked;
    if (EndsWith(name, ".svg")) {
      const std::string problem = SvgProblem(dir + "/" + name);
      if (!problem.empty()) problems->push_back(problem);
      continue;
    }
    PngImage image;
    const Status status = ReadPng(dir + "/" + name, &image);
    if (!status.ok()) {
      problems->push_back(status.ToString());
    } else if (CountColours(image, 2) < 2) {
      problems->push_back(dir + "/" + name + ": blank (a single colour)");
    }
  }
  return Status::Ok();
}

}  // namespace korvagraph
