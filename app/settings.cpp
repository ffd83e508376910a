// The document's settings in the profile: integers joined by ':' under "Settings" and "Option".
#include "app/doc.h"
#include "framework/profile.h"

#include <array>

namespace {
const QString kSettings = QStringLiteral("Settings");
const QString kOption = QStringLiteral("Option");

// Reads an entry into the members only when it holds all of them.
template <size_t N>
int Load(const QString& section, const char* entry, const std::array<int*, N>& members)
{
    int v[N];
    if (!AfxParseProfileInts(AfxGetProfileString(section, QString::fromLatin1(entry)), v, int(N)))
        return 0;
    for (size_t i = 0; i < N; ++i)
        *members[i] = v[i];
    return 1;
}

template <size_t N>
void Save(const QString& section, const char* entry, const std::array<int, N>& values)
{
    AfxWriteProfileString(section, QString::fromLatin1(entry), AfxJoinProfileInts(values.data(), int(N)));
}

template <size_t N>
std::array<int*, N> Members(int (&a)[N])
{
    std::array<int*, N> m;
    for (size_t i = 0; i < N; ++i)
        m[i] = &a[i];
    return m;
}

template <size_t N>
std::array<int, N> Values(const int (&a)[N])
{
    std::array<int, N> v{};
    std::copy(a, a + N, v.begin());
    return v;
}
}

int CMarivoltenDoc::LoadMenuOption() { return Load<2>(kOption, "Menu", {&g_bSIUnits, &g_bNoA3Paper}); }
void CMarivoltenDoc::SaveMenuOption() { Save<2>(kOption, "Menu", {g_bSIUnits, g_bNoA3Paper}); }

int CMarivoltenDoc::LoadPrintSettings()
{
    if (!Load<6>(kSettings, "PrintCondition",
                 {&m_nMarginLeft, &m_nMarginRight, &m_nMarginTop, &m_nMarginBottom, &m_nPageWidth, &m_nPageHeight}))
        return 0;
    return Load<3>(kSettings, "PrintHeader", {&m_bNoHeader, &m_bNoFooter, &m_bNoFrame});
}

void CMarivoltenDoc::SavePrintSettings()
{
    Save<6>(kSettings, "PrintCondition",
            {m_nMarginLeft, m_nMarginRight, m_nMarginTop, m_nMarginBottom, m_nPageWidth, m_nPageHeight});
    Save<3>(kSettings, "PrintHeader", {m_bNoHeader, m_bNoFooter, m_bNoFrame});
}

int CMarivoltenDoc::LoadHumanCostCondition() { return Load(kSettings, "HumanCostCondition", Members(m_anLabourCosts)); }
void CMarivoltenDoc::SaveHumanCostCondition() { Save(kSettings, "HumanCostCondition", Values(m_anLabourCosts)); }
int CMarivoltenDoc::LoadSteelCostCondition() { return Load(kSettings, "SteelCostCondition", Members(m_anSteelCosts)); }
void CMarivoltenDoc::SaveSteelCostCondition() { Save(kSettings, "SteelCostCondition", Values(m_anSteelCosts)); }
int CMarivoltenDoc::LoadDialogSetting() { return Load<1>(kSettings, "Dialog", {&m_nDialogSetting}); }
void CMarivoltenDoc::SaveDialogSetting() { Save<1>(kSettings, "Dialog", {m_nDialogSetting}); }
