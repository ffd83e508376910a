// The please-wait window of the grillage analysis and the section design: a calculating
// machine at work, five pictures in turn, while the calculation keeps the program busy.
#pragma once

#include "framework/dialog.h"
#include "input/picture_frame.h"
#include "res/resource_ids.h"

class CCalcProgressDlg : public CDialog {
public:
    enum { kFrames = 5, kFrameMs = 250, kTimerId = 1 };
    // The drawing's size in pixels; the picture control is at least this large.
    enum { kPictureWidth = 200, kPictureHeight = 150 };

    CCalcProgressDlg() : CDialog(IDD_CALC_PROGRESS) {}

    // Shows the window centred on the main window, the animation running: 0 the crank
    // calculator, 1 the electronic one. The other windows take no input meanwhile. Called
    // again while shown, it only changes the animation and keeps the window where it is.
    void Start(int nAnimation);
    // Hides the window and stops the animation.
    void Stop();
    bool IsShown() const;
    int GetAnimation() const { return m_nAnimation; }
    int GetFrame() const { return m_nFrame; }

    // One picture of an animation, centred in rect.
    static void DrawFrame(CDC* pDC, const CRect& rect, int nAnimation, int nFrame);

    BOOL OnInitDialog() override;
    // Only the program closes the window: Enter, Escape and the window manager do nothing.
    void OnOK() override {}
    void OnCancel() override {}
    void OnClose() override {}
    void OnTimer(UINT_PTR nIDEvent) override;

private:
    CPictureFrame m_picture;
    int m_nAnimation = 0;
    int m_nFrame = 0;
};
