#include "print/print_view.h"

CPrintView* g_pPrintView = nullptr;

IMPLEMENT_DYNCREATE(CPrintView, CScrollView)

CPrintView::CPrintView() { g_pPrintView = this; }
CPrintView::~CPrintView() { if (g_pPrintView == this) g_pPrintView = nullptr; }
