// Pictures of the secondary members that their sub-dialogs show, with the names of the
// dimensions the dialogs ask for (b, BL, BR, L, B and the plate sizes).
#pragma once

#include "framework/wnd.h"

class CDC;

enum class MemberPictureKind { EndSway, MidSway, PierSway, CrossBeam, Lateral, LeftBracket, RightBracket, MidStringer, EdgeStringer };

// Draws the member's sketch scaled into rect; it names the parts, it is not to the scale of the values.
void DrawMemberPicture(CDC* pDC, const CRect& rect, MemberPictureKind kind);

// The picture frame of a sub-dialog: a drawing surface that fills the template's place.
class CMemberPicture : public CWnd {
public:
    explicit CMemberPicture(MemberPictureKind kind) : m_canvas(kind) {}
    BOOL AttachPicture(UINT nID, CWnd* pParent);
    void OnSize(UINT nType, int cx, int cy) override;
    MemberPictureKind Kind() const { return m_canvas.m_kind; }

private:
    class Canvas : public CWnd {
    public:
        explicit Canvas(MemberPictureKind kind) : m_kind(kind) {}
        void OnPaint() override;
        MemberPictureKind m_kind;
    };
    Canvas m_canvas;
};
