#include "tools/korvagraph/gallery_index.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include "korvagraph/analysis/json.h"
#include "tools/korvagraph/printable.h"

namespace korvagraph {

using analysis::Status;

namespace {

const char kStyle[] =
    "body{font-family:sans-serif;margin:2em;color:#222}"
    "section{display:inline-block;vertical-align:top;margin:0 2em 2em 0}"
    "div.pictures{display:flex;gap:.5em;align-items:flex-start}"
    "img{border:1px solid #ccc;display:block}"
    "table{border-collapse:collapse;margin-top:.5em}"
    "td{padding:.1em .8em .1em 0}td+td{text-align:right}"
    "p.note{color:#555;max-width:40em}"
    "ul.warnings{color:#a40;max-width:40em}"
    "p.files a{margin-right:.8em}";

// Appends the lines as a list of the class, nothing for no lines.
void AddList(const std::vector<std::string>& lines, const char* list_class,
             std::string* page) {
  if (lines.empty()) return;
  *page += std::string("<ul class=\"") + list_class + "\">\n";
  for (const std::string& line : lines) {
    *page += "<li>" + EscapeHtml(line) + "</li>\n";
  }
  *page += "</ul>\n";
}

}  // namespace

std::string EscapeHtml(const std::string& text) {
  std::string out;
  for (char c : Printable(text)) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::vector<std::string> GalleryFiles(const GalleryItem& item) {
  std::vector<std::string> files = item.pictures;
  files.insert(files.end(), item.links.begin(), item.links.end());
  return files;
}

std::string GalleryPage(const std::string& heading, const std::string& source,
                        const std::vector<GalleryItem>& items,
                        const GalleryNotes& notes) {
  std::string page =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>KorvaGraph gallery</title>\n<style>";
  page += kStyle;
  page += "</style>\n</head>\n<body>\n<h1>KorvaGraph gallery</h1>\n";
  page += "<p class=\"note\">" + EscapeHtml(heading) + "<br>Data: <code>" +
          EscapeHtml(source) + "</code></p>\n";
  AddList(notes.lines, "notes", &page);
  AddList(notes.warnings, "warnings", &page);
  if (!notes.skipped.empty()) {
    std::vector<std::string> skipped;
    for (const SkippedChart& chart : notes.skipped) {
      skipped.push_back("korvagraph " + chart.name + ": " + chart.reason);
    }
    page += "<h2 id=\"skipped\">Charts left out</h2>\n";
    AddList(skipped, "skipped", &page);
  }
  for (const GalleryItem& item : items) {
    page += "<section id=\"" + EscapeHtml(item.name) + "\">\n<h2>" +
            EscapeHtml(item.title) + " <small><code>korvagraph " +
            EscapeHtml(item.name) + "</code></small></h2>\n";
    page += "<p class=\"note\">" + EscapeHtml(item.description) + "</p>\n";
    page += "<div class=\"pictures\">\n";
    for (const std::string& picture : item.pictures) {
      page += "<img src=\"" + EscapeHtml(picture) + "\" alt=\"" +
              EscapeHtml(item.title) + "\">\n";
    }
    page += "</div>\n";
    if (!item.links.empty()) {
      page += "<p class=\"files\">";
      for (const std::string& link : item.links) {
        page +=
            "<a href=\"" + EscapeHtml(link) + "\">" + EscapeHtml(link) + "</a>";
      }
      page += "</p>\n";
    }
    AddList(item.warnings, "warnings", &page);
    page += "<table>\n";
    for (const analysis::Statistic& stat : item.stats) {
      page += "<tr><td>" + EscapeHtml(stat.name) + "</td><td>" +
              EscapeHtml(stat.value) + "</td></tr>\n";
    }
    page += "</table>\n</section>\n";
  }
  page += "</body>\n</html>\n";
  return page;
}

Status WriteTextFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    return Status::InFile(path,
                          std::string("cannot write: ") + std::strerror(errno));
  }
  out << text;
  out.flush();
  if (!out) return Status::InFile(path, "write failed");
  return Status::Ok();
}

Status WriteGalleryPage(const std::string& path, const std::string& heading,
                        const std::string& source,
                        const std::vector<GalleryItem>& items,
                        const GalleryNotes& notes) {
  return WriteTextFile(path, GalleryPage(heading, source, items, notes));
}

std::string StatsJson(const std::vector<GalleryItem>& items,
                      const GalleryNotes& notes) {
  using analysis::JsonString;
  using analysis::JsonStrings;
  std::string out = "{\n  \"notes\": " + JsonStrings(notes.lines) +
                    ",\n  \"warnings\": " + JsonStrings(notes.warnings) +
                    ",\n  \"charts\": [";
  for (size_t i = 0; i < items.size(); ++i) {
    const GalleryItem& item = items[i];
    out += std::string(i > 0 ? "," : "") +
           "\n    {\"name\": " + JsonString(item.name) +
           ", \"pictures\": " + JsonStrings(item.pictures) +
           ",\n     \"stats\": " + analysis::StatisticsJson(item.stats) +
           (item.table.empty() ? std::string()
                               : ",\n     \"table\": " +
                                     analysis::ChartTableJson(item.table)) +
           ",\n     \"warnings\": " + JsonStrings(item.warnings) + "}";
  }
  out += "],\n  \"skipped\": [";
  for (size_t i = 0; i < notes.skipped.size(); ++i) {
    out += std::string(i > 0 ? ", " : "") +
           "{\"name\": " + JsonString(notes.skipped[i].name) +
           ", \"reason\": " + JsonString(notes.skipped[i].reason) + "}";
  }
  return out + "]\n}\n";
}

}  // namespace korvagraph
