// Tabular views and their bars: reactions and deflections, input check, section detail data.
#pragma once

#include <QStringList>
#include "framework/bars.h"
#include "framework/view.h"
#include "views/window_global.h"

class CReactView : public CScrollView {
    DECLARE_DYNCREATE(CReactView)
public:
    CReactView();
private:
    CWindowGlobal<CReactView> m_global;
};

class CConditionView : public CScrollView {
    DECLARE_DYNCREATE(CConditionView)
public:
    CConditionView();
private:
    CWindowGlobal<CConditionView> m_global;
};

class CSectionPropertiesView : public CScrollView {
    DECLARE_DYNCREATE(CSectionPropertiesView)
public:
    CSectionPropertiesView();
private:
    CWindowGlobal<CSectionPropertiesView> m_global;
};

class CReactBar : public CDialogBar {};
class CPropertiesBar : public CDialogBar {};

class CConditionBar : public CDialogBar {
public:
    QStringList m_strings;
};

extern CReactView* g_pReactView;
extern CConditionView* g_pConditionView;
extern CSectionPropertiesView* g_pPropertiesView;
