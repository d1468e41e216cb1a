#include "korvagraph/KorvaGraphLib.h"

// Out of line so the base's virtual table lives in the library.
CKorvaGraph::~CKorvaGraph() = default;
