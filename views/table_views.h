// Tabular views and their bars: reactions and deflections, input check, section detail data.
#pragma once

#include <QStringList>
#include "framework/bars.h"
#include "framework/view.h"

class CReactView : public CScrollView {
    DECLARE_DYNCREATE(CReactView)
public:
    CReactView();
    ~CReactView() override;
};

class CConditionView : public CScrollView {
    DECLARE_DYNCREATE(CConditionView)
public:
    CConditionView();
    ~CConditionView() override;
};

class CSectionPropertiesView : public CScrollView {
    DECLARE_DYNCREATE(CSectionPropertiesView)
public:
    CSectionPropertiesView();
    ~CSectionPropertiesView() override;
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
