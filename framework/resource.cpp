#include "framework/resource.h"

namespace {
const AfxResourceTable* g_table = nullptr;
}

void AfxSetResourceTable(const AfxResourceTable* table) { g_table = table; }
const AfxResourceTable* AfxGetResourceTable() { return g_table; }
QString AfxLoadString(UINT id) { return g_table ? g_table->LoadString(id) : QString(); }
const DialogTemplate* AfxFindDialogTemplate(UINT id) { return g_table ? g_table->FindDialog(id) : nullptr; }
