// The workbench page: one HTML document with its style and script, built
// into the program from workbench.html, served at "/".
#ifndef TOOLS_KORVAGRAPH_SERVE_WORKBENCH_PAGE_H_
#define TOOLS_KORVAGRAPH_SERVE_WORKBENCH_PAGE_H_

#include <string>

namespace korvagraph {

const std::string& WorkbenchPage();

}  // namespace korvagraph

#endif  // TOOLS_KORVAGRAPH_SERVE_WORKBENCH_PAGE_H_
