// Resources as C++ data: strings, dialog templates, menus, tool bars and
// accelerators. The application installs its table at start-up.
#pragma once

#include <vector>
#include <QString>
#include "framework/types.h"

enum class CtlKind {
    Static, Edit, PushButton, CheckBox, RadioButton, GroupBox, ComboBox, DropList,
    ListBox, Spin, Slider, ScrollBar, Picture, Custom
};

// Control flags.
enum : UINT {
    CF_HIDDEN = 0x1, CF_DISABLED = 0x2, CF_READONLY = 0x4, CF_GROUP = 0x8,
    CF_PUSHLIKE = 0x10, CF_DEFAULT = 0x20, CF_LEFTTEXT = 0x40, CF_ALIGN_LEFT = 0x80,
    CF_ALIGN_RIGHT = 0x100, CF_ALIGN_CENTER = 0x200, CF_MULTILINE = 0x400,
    CF_NUMBER = 0x800, CF_VERTICAL = 0x1000, CF_BORDER = 0x2000, CF_NOTABSTOP = 0x4000,
    CF_HORZ = 0x8000,       // a spin with left (down) and right (up) arrows
    CF_FIXEDWIDTH = 0x10000,    // keeps the width hint instead of taking spare room
    CF_KEEPPLACE = 0x20000,     // keeps its place in the layout while hidden
    CF_ICON = 0x40000           // a picture that is an icon: drawn at a dialog icon's size
};

// One control: its place is a cell of the dialog's grid (or of its group
// box's grid); cx and cy are optional size hints in dialog units.
struct ControlTemplate {
    CtlKind kind;
    int id;
    QString text;
    int row = 0, col = 0, rowSpan = 1, colSpan = 1;
    UINT flags = 0;
    int group = 0;          // id of the group box that holds it, 0 = the dialog
    int cx = 0, cy = 0;
};

struct DialogTemplate {
    UINT id;
    QString caption;
    QString fontFace;
    int pointSize = 9;
    int cx = 0, cy = 0;     // size hint in dialog units
    std::vector<ControlTemplate> controls;
};

struct MenuItemTemplate {
    enum Kind { Item, Separator, Popup } kind = Item;
    UINT id = 0;
    QString text;
    std::vector<MenuItemTemplate> items;   // popup contents
};

struct MenuTemplate {
    UINT id;
    std::vector<MenuItemTemplate> popups;
};

struct ToolBarTemplate {
    UINT id;
    std::vector<UINT> buttons;              // 0 = separator
};

struct AccelTemplate {
    QString key;                            // a key sequence, e.g. "Ctrl+N"
    UINT id;
};

struct AccelTableTemplate {
    UINT id;
    std::vector<AccelTemplate> keys;
};

// The application's resource table.
class AfxResourceTable {
public:
    virtual ~AfxResourceTable() = default;
    virtual QString LoadString(UINT id) const = 0;
    virtual const DialogTemplate* FindDialog(UINT id) const = 0;
    virtual const MenuTemplate* FindMenu(UINT id) const = 0;
    virtual const ToolBarTemplate* FindToolBar(UINT id) const = 0;
    virtual const AccelTableTemplate* FindAccelerators(UINT id) const = 0;
    // Path of an image (Qt resource or file) for a bitmap or icon id, empty when none.
    virtual QString BitmapPath(UINT id) const = 0;
};

void AfxSetResourceTable(const AfxResourceTable* table);
const AfxResourceTable* AfxGetResourceTable();
QString AfxLoadString(UINT id);
const DialogTemplate* AfxFindDialogTemplate(UINT id);
