// Device context of a window's paint handler.
#pragma once

#include <memory>
#include "framework/dc.h"

class CWnd;
class QPainter;

namespace afx_detail {
// Constructed before the CDC part so the painter exists when the DC binds to it.
struct PaintTarget {
    PaintTarget();
    ~PaintTarget();
    std::unique_ptr<QPainter> own;
    QPainter* painter = nullptr;
};
}

class CPaintDC : private afx_detail::PaintTarget, public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
};
