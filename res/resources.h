// The program's resource table: strings, menus, tool bar, accelerators and dialog templates.
#pragma once

#include "framework/resource.h"
#include "res/resource_ids.h"

// Makes the program's resources the framework's resource table.
void InstallResources();

// The dialog templates of each part of the program, registered by InstallResources.
std::vector<DialogTemplate> ShellDialogTemplates();
std::vector<DialogTemplate> InputDialogTemplates();
std::vector<DialogTemplate> GeometryDialogTemplates();
std::vector<DialogTemplate> SpanDialogTemplates();
std::vector<DialogTemplate> PanelDialogTemplates();
std::vector<DialogTemplate> CrossSectionDialogTemplates();
std::vector<DialogTemplate> HeightDialogTemplates();
std::vector<DialogTemplate> BlockDialogTemplates();
std::vector<DialogTemplate> MainGirderDialogTemplates();
std::vector<DialogTemplate> GirderDataDialogTemplates();
std::vector<DialogTemplate> MemberDialogTemplates();
std::vector<DialogTemplate> LoadDialogTemplates();
std::vector<DialogTemplate> CrossBeamDialogTemplates();
std::vector<DialogTemplate> EstimateDialogTemplates();
std::vector<DialogTemplate> EstimateTableDialogTemplates();
std::vector<DialogTemplate> CalcDialogTemplates();
std::vector<DialogTemplate> EstimateBarDialogTemplates();
std::vector<DialogTemplate> PrintDialogTemplates();
std::vector<DialogTemplate> TableBarDialogTemplates();
std::vector<DialogTemplate> DrawingBarDialogTemplates();
// Every dialog template of the program, in the order they are registered.
std::vector<DialogTemplate> AllDialogTemplates();
