// Printable text: what korvagraph echoes of a user's files and arguments,
// made safe for a terminal. Control bytes, NULs, C1 controls and bytes that
// are not UTF-8 are written as \xNN escapes, so an echoed data line can
// neither move the cursor nor retitle the window, and stays on one line.
#ifndef TOOLS_KORVAGRAPH_PRINTABLE_H_
#define TOOLS_KORVAGRAPH_PRINTABLE_H_

#include <cstddef>
#include <string>

namespace korvagraph {

// Returns text with every byte a terminal would act on escaped as \xNN
// (tab, line feed and carriage return as \t, \n, \r). Valid UTF-8 passes,
// and so do line feeds when keep_line_feeds (for messages of several lines).
std::string Printable(const std::string& text, bool keep_line_feeds = false);

// Returns text printable and in double quotes, cut after max_chars
// characters with "..." so that a binary file's line stays short.
std::string Quoted(const std::string& text, size_t max_chars = 60);

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_PRINTABLE_H_
