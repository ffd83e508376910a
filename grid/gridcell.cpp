#include "grid/gridcell.h"
#include "framework/format.h"

#include <climits>
#include <cmath>

namespace {
// Colours are set when they are 0 or more as signed values.
bool colourSet(COLORREF c) { return LONG(c) >= 0; }
}

void CGridCell::ClearAll()
{
    m_nDataType = -1;
    m_strText.clear();
    m_strLabel.clear();
    m_strChoiceList.clear();
    m_nDecimals = 2;
    m_nRangeCheck = -1;
    m_crText = m_crBack = m_crSelText = m_crSelBack = GRID_COLOR_UNSET;
    m_nAlignment = -1;
    m_nBorder = -1;
    m_pFont = nullptr;
    m_pBitmap = nullptr;
    m_nReadOnly = -1;
    m_nCellType = -1;
    m_nCellTypeEx = -1;
    // A scratch record must not keep the block of a cell read before.
    m_bJoined = m_bJoinOrigin = 0;
    m_nJoinCol = m_nJoinRow = 0;
}

void CGridCell::CopyInfoFrom(const CGridCell& s)
{
    if (&s == this)
        return;
    m_nDataType = s.m_nDataType;
    m_strText = s.m_strText;
    m_strLabel = s.m_strLabel;
    m_strChoiceList = s.m_strChoiceList;
    if (s.m_nDataType >= 0) {
        m_dValue = s.m_dValue;
        m_nDecimals = s.m_nDecimals;
    }
    m_dMin = s.m_dMin;
    m_dMax = s.m_dMax;
    m_nRangeCheck = s.m_nRangeCheck;
    m_crText = s.m_crText;
    m_crBack = s.m_crBack;
    m_crSelText = s.m_crSelText;
    m_crSelBack = s.m_crSelBack;
    m_nAlignment = s.m_nAlignment;
    m_nBorder = s.m_nBorder;
    m_pFont = s.m_pFont;
    m_pBitmap = s.m_pBitmap;
    m_nReadOnly = s.m_nReadOnly;
    m_nCellType = s.m_nCellType;
    m_nCellTypeEx = s.m_nCellTypeEx;
    if (s.m_bJoined) {
        m_bJoined = s.m_bJoined;
        m_bJoinOrigin = s.m_bJoinOrigin;
        m_nJoinCol = s.m_nJoinCol;
        m_nJoinRow = s.m_nJoinRow;
    }
}

void CGridCell::AddInfoFrom(const CGridCell& s)
{
    if (&s == this)
        return;
    if (!s.m_strText.isEmpty()) m_strText = s.m_strText;
    if (!s.m_strLabel.isEmpty()) m_strLabel = s.m_strLabel;
    if (!s.m_strChoiceList.isEmpty()) m_strChoiceList = s.m_strChoiceList;
    if (s.m_nDataType >= 0) {
        m_nDataType = s.m_nDataType;
        m_dValue = s.m_dValue;
        m_nDecimals = s.m_nDecimals;
    }
    if (s.m_nRangeCheck >= 0) {
        m_nRangeCheck = s.m_nRangeCheck;
        m_dMin = s.m_dMin;
        m_dMax = s.m_dMax;
    }
    if (colourSet(s.m_crText)) m_crText = s.m_crText;
    if (colourSet(s.m_crBack)) m_crBack = s.m_crBack;
    if (colourSet(s.m_crSelText)) m_crSelText = s.m_crSelText;
    if (colourSet(s.m_crSelBack)) m_crSelBack = s.m_crSelBack;
    if (s.m_nAlignment >= 0) m_nAlignment = s.m_nAlignment;
    if (s.m_nBorder >= 0) m_nBorder = s.m_nBorder;
    if (s.m_nReadOnly >= 0) m_nReadOnly = s.m_nReadOnly;
    if (s.m_nCellType >= 0) m_nCellType = s.m_nCellType;
    if (s.m_nCellTypeEx >= 0) m_nCellTypeEx = s.m_nCellTypeEx;
    if (s.m_pFont) m_pFont = s.m_pFont;
    if (s.m_pBitmap) m_pBitmap = s.m_pBitmap;
    if (s.m_bJoined == 1) {
        m_bJoined = s.m_bJoined;
        m_bJoinOrigin = s.m_bJoinOrigin;
        m_nJoinCol = s.m_nJoinCol;
        m_nJoinRow = s.m_nJoinRow;
    }
}

BOOL CGridCell::SetNumber(double value)
{
    const QString format = AfxFormat("%%1.%dlf", int(m_nDecimals));
    const QByteArray fmt = format.toLatin1();
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    m_strText = AfxFormat(fmt.constData(), value);
#pragma GCC diagnostic pop
    m_dValue = value;
    m_nDataType = 2;
    return TRUE;
}

BOOL CGridCell::SetEnteredText(const QString& text)
{
    bool plain = false;
    const double value = text.trimmed().toDouble(&plain);
    if (m_nDataType == 2 && m_nDecimals <= 99 && plain && std::isfinite(value) && std::abs(value) <= 1e20)
        return SetNumber(value);
    return SetText(text);
}

double CGridCell::GetNumber() const
{
    bool digit = false;
    for (QChar c : m_strText)
        if (c >= u'0' && c <= u'9') {
            digit = true;
            break;
        }
    if (!digit)
        return 0.0;
    const double v = AfxAtof(m_strText);
    if (v > 1e20) return 1e20;
    if (v < -1e20) return -1e20;
    return v;
}

BOOL CGridCell::GetTextAsInt(int& value) const
{
    // As "%d" reads: blanks, a sign, then at least one digit, or nothing is stored.
    qsizetype i = 0;
    const qsizetype n = m_strText.size();
    while (i < n && (m_strText[i] == u' ' || (m_strText[i] >= u'\t' && m_strText[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < n && (m_strText[i] == u'+' || m_strText[i] == u'-'))
        negative = m_strText[i++] == u'-';
    if (i >= n || m_strText[i] < u'0' || m_strText[i] > u'9')
        return TRUE;
    long long v = 0;
    for (; i < n && m_strText[i] >= u'0' && m_strText[i] <= u'9'; ++i)
        v = std::min<long long>(v * 10 + (m_strText[i].unicode() - u'0'), 1LL << 40);
    v = negative ? -v : v;
    value = int(std::clamp<long long>(v, INT_MIN, INT_MAX));
    return TRUE;
}

BOOL CGridCell::GetJoinInfo(int* pJoined, int* pOrigin, int* pCol, int* pRow) const
{
    if (pJoined) *pJoined = m_bJoined;
    if (pOrigin) *pOrigin = m_bJoinOrigin;
    if (pCol) *pCol = m_nJoinCol;
    if (pRow) *pRow = m_nJoinRow;
    return TRUE;
}
