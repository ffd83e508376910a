// The force diagram's label layout (force_labels.cpp), and what the diagram's painters share
// with it: the labels' font and how far they keep from the frame and from each other.
#pragma once

#include "framework/dc.h"
#include "framework/gdi.h"

namespace force {

// A printed diagram keeps this clear of its frame: a text measured on another device may
// come out a little wider.
constexpr int kFrameInset = 20;
// Labels keep half a value's height apart along their line, and a little across it.
constexpr int kValueHeight = 36;
constexpr int kAcrossGap = 4;
// A sideways page turns the upright diagram by this (degrees).
constexpr double kTurn = 270.0;

// The font of the value labels, made for a painter and selected while it writes.
class LabelFont {
public:
    explicit LabelFont(CDC* pDC, int nHeight = kValueHeight) : m_dc(pDC)
    {
        m_font.CreateFont(nHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS,
                          CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, QStringLiteral("ＭＳ 明朝"));
        m_old = pDC->SelectObject(&m_font);
    }
    ~LabelFont() { m_dc->SelectObject(m_old); }
    LabelFont(const LabelFont&) = delete;
    LabelFont& operator=(const LabelFont&) = delete;

private:
    CDC* m_dc;
    CFont m_font;
    CFont* m_old = nullptr;
};

} // namespace force
