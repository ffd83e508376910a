// The document's settings in the profile: integers joined by ':' under "Settings" and "Option".
#include "app/doc.h"
#include "framework/profile.h"

namespace {
const QString kSettings = QStringLiteral("Settings");

QString Entry(const QString& section, const char* entry)
{
    return AfxGetProfileString(section, QString::fromLatin1(entry));
}

void Write(const QString& section, const char* entry, const int* values, int count)
{
    AfxWriteProfileString(section, QString::fromLatin1(entry), AfxJoinProfileInts(values, count));
}
}

int CMarivoltenDoc::LoadMenuOption()
{
    int v[2];
    if (!AfxParseProfileInts(Entry(QStringLiteral("Option"), "Menu"), v, 2))
        return 0;
    g_bSIUnits = v[0];
    g_bNoA3Paper = v[1];
    return 1;
}

void CMarivoltenDoc::SaveMenuOption()
{
    const int v[2] = {g_bSIUnits, g_bNoA3Paper};
    Write(QStringLiteral("Option"), "Menu", v, 2);
}

int CMarivoltenDoc::LoadPrintSettings()
{
    int v[6];
    if (!AfxParseProfileInts(Entry(kSettings, "PrintCondition"), v, 6))
        return 0;
    m_nMarginLeft = v[0];
    m_nMarginRight = v[1];
    m_nMarginTop = v[2];
    m_nMarginBottom = v[3];
    m_nPageWidth = v[4];
    m_nPageHeight = v[5];
    int h[3];
    if (!AfxParseProfileInts(Entry(kSettings, "PrintHeader"), h, 3))
        return 0;
    m_bNoHeader = h[0];
    m_bNoFooter = h[1];
    m_bNoFrame = h[2];
    return 1;
}

void CMarivoltenDoc::SavePrintSettings()
{
    const int v[6] = {m_nMarginLeft, m_nMarginRight, m_nMarginTop, m_nMarginBottom, m_nPageWidth, m_nPageHeight};
    Write(kSettings, "PrintCondition", v, 6);
    const int h[3] = {m_bNoHeader, m_bNoFooter, m_bNoFrame};
    Write(kSettings, "PrintHeader", h, 3);
}

int CMarivoltenDoc::LoadHumanCostCondition()
{
    int v[12];
    if (!AfxParseProfileInts(Entry(kSettings, "HumanCostCondition"), v, 12))
        return 0;
    std::copy(v, v + 12, m_anLabourCosts);
    return 1;
}

void CMarivoltenDoc::SaveHumanCostCondition() { Write(kSettings, "HumanCostCondition", m_anLabourCosts, 12); }

int CMarivoltenDoc::LoadSteelCostCondition()
{
    int v[4];
    if (!AfxParseProfileInts(Entry(kSettings, "SteelCostCondition"), v, 4))
        return 0;
    std::copy(v, v + 4, m_anSteelCosts);
    return 1;
}

void CMarivoltenDoc::SaveSteelCostCondition() { Write(kSettings, "SteelCostCondition", m_anSteelCosts, 4); }

int CMarivoltenDoc::LoadDialogSetting()
{
    int v[1];
    if (!AfxParseProfileInts(Entry(kSettings, "Dialog"), v, 1))
        return 0;
    m_nDialogSetting = v[0];
    return 1;
}

void CMarivoltenDoc::SaveDialogSetting() { Write(kSettings, "Dialog", &m_nDialogSetting, 1); }
