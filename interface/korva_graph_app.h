// The library's one module object, constructed at load and destroyed at
// unload; it carries nothing of its own.
#ifndef INTERFACE_KORVA_GRAPH_APP_H_
#define INTERFACE_KORVA_GRAPH_APP_H_

#include "platform/afx_app.h"

class CKorvaGraphApp : public CWinApp {
 public:
  CKorvaGraphApp();
};

// Returns the module object.
CKorvaGraphApp& TheKorvaGraphApp();

#endif  // INTERFACE_KORVA_GRAPH_APP_H_
