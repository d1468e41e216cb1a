#include "interface/korva_graph_app.h"

namespace {

CKorvaGraphApp the_app;

}  // namespace

CKorvaGraphApp::CKorvaGraphApp() : CWinApp(nullptr) {}

CKorvaGraphApp& TheKorvaGraphApp() { return the_app; }
