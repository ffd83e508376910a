#include "print/print_view.h"

CPrintView* g_pPrintView = nullptr;

IMPLEMENT_DYNCREATE(CPrintView, CScrollView)

CPrintView::CPrintView() : m_global(g_pPrintView, this) {}
