#include "res/resources.h"

#include <map>
#include <QtCore/qglobal.h>
#include <QDir>

QString LoadProgramString(unsigned id);
const MenuTemplate* FindProgramMenu(unsigned id);
const ToolBarTemplate* FindProgramToolBar(unsigned id);
const AccelTableTemplate* FindProgramAccelerators(unsigned id);

namespace {

class ProgramResources : public AfxResourceTable {
public:
    ProgramResources()
    {
        for (DialogTemplate& t : AllDialogTemplates())
            m_dialogs.emplace(t.id, std::move(t));
    }
    QString LoadString(UINT id) const override { return LoadProgramString(id); }
    const DialogTemplate* FindDialog(UINT id) const override
    {
        auto it = m_dialogs.find(id);
        return it == m_dialogs.end() ? nullptr : &it->second;
    }
    const MenuTemplate* FindMenu(UINT id) const override { return FindProgramMenu(id); }
    const ToolBarTemplate* FindToolBar(UINT id) const override { return FindProgramToolBar(id); }
    const AccelTableTemplate* FindAccelerators(UINT id) const override { return FindProgramAccelerators(id); }
    QString BitmapPath(UINT id) const override
    {
        static const std::map<UINT, const char*> images = {
            {ID_FILE_NEW, ":/res/images/new.svg"}, {ID_FILE_OPEN, ":/res/images/open.svg"},
            {ID_FILE_SAVE, ":/res/images/save.svg"}, {ID_INVALIDATE_RESULTS, ":/res/images/invalidate.svg"},
            {ID_OPTION_SI_UNITS, ":/res/images/units.svg"}, {ID_FILE_PRINT, ":/res/images/print.svg"},
            {ID_APP_ABOUT, ":/res/images/about.svg"},
            {IDB_SPLASH, ":/res/images/splash.svg"}, {IDR_MAINFRAME, ":/res/images/app.svg"},
            {IDB_PLAN_TURN, ":/res/images/plan_turn.svg"}};
        auto it = images.find(id);
        return it == images.end() ? QString() : QString::fromLatin1(it->second);
    }
private:
    std::map<UINT, DialogTemplate> m_dialogs;
};

}

std::vector<DialogTemplate> AllDialogTemplates()
{
    std::vector<DialogTemplate> all;
    for (auto* part : {&ShellDialogTemplates, &InputDialogTemplates, &GeometryDialogTemplates, &SpanDialogTemplates,
                       &PanelDialogTemplates, &CrossSectionDialogTemplates, &HeightDialogTemplates,
                       &BlockDialogTemplates,
                       &MainGirderDialogTemplates, &GirderDataDialogTemplates, &MemberDialogTemplates,
                       &LoadDialogTemplates, &CrossBeamDialogTemplates, &EstimateDialogTemplates,
                       &EstimateTableDialogTemplates, &CalcDialogTemplates, &EstimateBarDialogTemplates,
                       &PrintDialogTemplates, &TableBarDialogTemplates, &DrawingBarDialogTemplates})
        for (DialogTemplate& t : part())
            all.push_back(std::move(t));
    return all;
}

void InstallResources()
{
    Q_INIT_RESOURCE(images);
    static const ProgramResources resources;
    AfxSetResourceTable(&resources);
}
