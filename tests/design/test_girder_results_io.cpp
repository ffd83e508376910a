// A girder's results and sections in the design file: stored and loaded back, old formats,
// and records that must be refused.
#include "design/girder_results_io.h"
#include "common/filled_girder.h"
#include "framework/archive.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Two spans of 3 and 4 panels: 8 panel points, 7 members, 3 girders, 4 sections.
constexpr int kS = 2, kG = 3, kP = 8, kM = kP - 1, kK = 4;
const int kPanels[kS] = {3, 4};

CResultsFormat Format()
{
    CResultsFormat fmt;
    fmt.nSpans = kS;
    fmt.nGirders = kG;
    fmt.nPanelPoints = kP;
    fmt.anPanelCount = kPanels;
    return fmt;
}

// The slot sizes of one record, step by step.
constexpr int kHead = 4 * 4 + 3 * 8 + 2 * 4;                 // steps 1-3
constexpr int kFlangeWidths = 2 * 8;                          // step 4
constexpr int kSpanStarts = 4 * (kS + 1);                     // step 5
constexpr int kCurve = 4 + 3 * 8 + 2 * 8 + 3 * 8 + 2 * 8 + 4 + 6 * 8;
constexpr int kMember = 2 * kCurve + 5 * 8 + 8;               // step 6, per member
constexpr int kSupport = 4 + 6 * 8 + kG * (4 + 5 * 8) + 5 * 8; // step 7, per support
constexpr int kPanelPoint = 3 * 8 + 4;                        // step 8
constexpr int kNodes = 2 * kM;
constexpr int kSection = 16 * 4 + 8 + 9 * 8 + 14 * 8 + 3 * 8 + 8 + 3 * 4 + 13 * 8
    + 2 * (4 + 8) + 4 + 8 + 8 + 2 * 4 + 4 + 10 * 8 + 4 * 4 + 3 * 8;
static_assert(kSection == 580);
constexpr int kAtSpanStarts = kHead + kFlangeWidths;
constexpr int kAtMembers = kAtSpanStarts + kSpanStarts;
constexpr int kAtSpanLengths = kAtMembers + kM * kMember + (kS + 1) * kSupport + kP * kPanelPoint;
constexpr int kAtNodeCounts = kAtSpanLengths + kS * 8;        // step 10
constexpr int kAtPointTable = kAtNodeCounts + 3 * 4 + 3 * kNodes * 16;
constexpr int kAtSections = kAtPointTable + 2 * 4 + 100 * 16;
constexpr int kRecord = kAtSections + kK * kSection;

CGirderDesign Filled() { return FilledGirder(kS, kPanels, kG, kK); }

QByteArray Store(CGirderDesign g, const CResultsFormat& fmt = Format())
{
    QByteArray bytes;
    CArchive ar(&bytes, CArchive::store);
    SerializeGirderResults(ar, g, fmt);
    ar.Close();
    return bytes;
}

CGirderDesign Load(const QByteArray& bytes, const CResultsFormat& fmt = Format())
{
    QByteArray copy = bytes;
    CArchive ar(&copy, CArchive::load);
    CGirderDesign g;
    SerializeGirderResults(ar, g, fmt);
    return g;
}

int LoadFailure(const QByteArray& bytes, const CResultsFormat& fmt = Format())
{
    try {
        Load(bytes, fmt);
    } catch (const CArchiveException& e) {
        return e.m_cause;
    }
    return CArchiveException::none;
}

template <class T> void Put(QByteArray& bytes, int at, T value)
{
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

}

TEST(GirderResultsFile, StoresEverySlotAndLoadsTheSameGirder)
{
    const CGirderDesign girder = Filled();
    const QByteArray bytes = Store(girder);
    EXPECT_EQ(kRecord, 7840);
    EXPECT_EQ(bytes.size(), kRecord);

    const CGirderDesign loaded = Load(bytes);
    EXPECT_TRUE(loaded == girder);
    EXPECT_EQ(Store(loaded), bytes);

    // What the slots say where the record has words of its own.
    auto word = [&](int at) { int v; std::memcpy(&v, bytes.constData() + at, 4); return v; };
    EXPECT_EQ(word(8), kK);
    EXPECT_EQ(word(kHead - 8), kM);
    EXPECT_EQ(word(kAtSpanStarts + 8), 7);
    EXPECT_EQ(word(kAtPointTable), kNodes);
    EXPECT_EQ(word(kAtPointTable + 4), kNodes);
    EXPECT_EQ(word(kAtSections + 12 * 4), 0);   // the first section is not edited
    EXPECT_EQ(word(kAtSections + kSection + 12 * 4), 1);

    // Short lists are padded so that the record keeps the length its counts announce, and
    // a new section record reads back with its defaults.
    CGirderDesign sparse;
    sparse.m_pSections.resize(1);
    sparse.m_nSections = 1;
    const QByteArray small = Store(sparse);
    EXPECT_EQ(small.size(), kAtSections - 3 * kNodes * 16 + kSection);   // no nodes yet
    const CGirderDesign back = Load(small);
    EXPECT_EQ(back.m_pSections[0], CSectionRecord());
    EXPECT_EQ(back.m_pSections[0].m_nGradeWeb, 3);
    EXPECT_EQ(back.m_pSections[0].m_dAssumedI, -1.0);
    EXPECT_EQ(back.m_pnSpanStart, (std::vector<int>{0, 3, 7}));
    EXPECT_EQ(back.m_pdPanelLength.size(), size_t(kM));
    EXPECT_EQ(CGirderDesign().m_anDetailNode[0][0], -1);
}

TEST(GirderResultsFile, OlderFormatsLoadWithTheirDefaults)
{
    const CGirderDesign girder = Filled();
    const QByteArray current = Store(girder);

    // Before 1782 there are no largest flange widths.
    QByteArray v1781 = current;
    v1781.remove(kHead, kFlangeWidths);
    CResultsFormat fmt = Format();
    fmt.nVersion = 1781;
    CGirderDesign loaded = Load(v1781, fmt);
    EXPECT_EQ(loaded.m_dMaxBUpper, 0.0);
    EXPECT_EQ(loaded.m_dMaxBLower, 0.0);
    loaded.m_dMaxBUpper = girder.m_dMaxBUpper;
    loaded.m_dMaxBLower = girder.m_dMaxBLower;
    EXPECT_TRUE(loaded == girder);

    // Without F5 and F12 each section lacks its last four words and three values.
    QByteArray old = current;
    for (int i = kK - 1; i >= 0; --i)
        old.remove(kAtSections + (i + 1) * kSection - 40, 40);
    fmt = Format();
    fmt.bF5 = fmt.bF12 = 0;
    loaded = Load(old, fmt);
    ASSERT_EQ(loaded.m_pSections.size(), size_t(kK));
    for (int i = 0; i < kK; ++i) {
        const CSectionRecord& r = loaded.m_pSections[size_t(i)];
        EXPECT_EQ(r.m_anJointKind[0], 0);
        EXPECT_EQ(r.m_anJointKind[1], 0);
        EXPECT_EQ(r.m_nJoinPrev, 0);
        EXPECT_EQ(r.m_nJoinNext, 0);
        EXPECT_EQ(r.m_dAssumedArea, -1.0);
        EXPECT_EQ(r.m_dAssumedI, -1.0);
        EXPECT_EQ(r.m_dAssumedJ, -1.0);
        EXPECT_EQ(r.m_dLength, girder.m_pSections[size_t(i)].m_dLength);
        EXPECT_EQ(r.m_dWWhole, girder.m_pSections[size_t(i)].m_dWWhole);
    }

    // Without F6 and F9 the member detail and the per-girder reactions are missing; cut
    // from the back so that the earlier offsets hold.
    QByteArray plain = current;
    for (int s = kS; s >= 0; --s)
        plain.remove(kAtMembers + kM * kMember + s * kSupport + 52, kSupport - 52);
    for (int m = kM - 1; m >= 0; --m) {
        const int at = kAtMembers + m * kMember;
        plain.remove(at + 2 * kCurve, 40);
        plain.remove(at + 2 * kCurve - 52, 52);
        plain.remove(at + kCurve - 52, 52);
    }
    fmt = Format();
    fmt.bF6 = fmt.bF9 = 0;
    loaded = Load(plain, fmt);
    EXPECT_EQ(loaded.m_pnNodeI, std::vector<int>(kM, 0));
    EXPECT_EQ(loaded.m_pdShearDeadJ, std::vector<double>(kM, 0.0));
    EXPECT_EQ(loaded.m_pdTorsionTotalMinus, std::vector<double>(kM, 0.0));
    EXPECT_EQ(loaded.m_pdMomentTotalMinusJ, girder.m_pdMomentTotalMinusJ);
    EXPECT_EQ(loaded.m_pdPanelLength, girder.m_pdPanelLength);
    EXPECT_EQ(loaded.m_anDetailNode[0][0], -1);
    EXPECT_EQ(loaded.m_adReact2LMinusD[kS], girder.m_adReact2LMinusD[kS]);
    EXPECT_EQ(loaded.m_pSections, girder.m_pSections);

    // With F2 = 0 the point table follows its counts and fills the diagram data per node.
    QByteArray withTable = current;
    QByteArray table;
    for (int k = 0; k < kNodes; ++k) {
        const double entry[13] = {0.0, 100.0 + k, 0.0, 200.0 + k, 1.0, 2.0};
        table.append(reinterpret_cast<const char*>(entry), 6 * 8);
        const int sign = k % 2 ? -1 : 1;
        table.append(reinterpret_cast<const char*>(&sign), 4);
        const double shear[6] = {0.0, 300.0 + k, 0.0, 400.0 + k, 5.0, 6.0};
        table.append(reinterpret_cast<const char*>(shear), 6 * 8);
        table.append(reinterpret_cast<const char*>(&sign), 4);
    }
    withTable.insert(kAtPointTable + 8, table);
    fmt = Format();
    fmt.bF2 = 0;
    loaded = Load(withTable, fmt);
    EXPECT_EQ(loaded.m_nNodes, kNodes);
    EXPECT_EQ(loaded.m_pdMomentMaxI[3], 106.0);
    EXPECT_EQ(loaded.m_pdMomentMinJ[3], 207.0);
    EXPECT_EQ(loaded.m_pMomentEnv[5], CDPoint(1.0, 2.0));
    EXPECT_EQ(loaded.m_pnMomentSign[5], -1);
    EXPECT_EQ(loaded.m_pShearMin[4], CDPoint(0.0, 404.0));
    EXPECT_EQ(loaded.m_pShearEnv[4], CDPoint(5.0, 6.0));
    EXPECT_EQ(loaded.m_pnShearSign[4], 1);
    EXPECT_EQ(loaded.m_pSections, girder.m_pSections);
}

// Files of the old format are written with their point table, so that they read back whole.
TEST(GirderResultsFile, OldPointTableIsWrittenAsItIsRead)
{
    CGirderDesign girder = Filled();
    double value = 0.0;
    for (auto* list : {&girder.m_pdMomentMaxI, &girder.m_pdMomentMaxJ, &girder.m_pdMomentMinI, &girder.m_pdMomentMinJ})
        for (int m = 0; m < kM; ++m)
            list->push_back(value += 1.25);
    for (int k = 0; k < kNodes; ++k) {
        girder.m_pShearEnv.emplace_back(0.25 * k, 3.0 + k);
        girder.m_pnMomentSign.push_back(k % 3 ? 1 : -1);
        girder.m_pnShearSign.push_back(k % 2 ? -1 : 1);
    }
    CResultsFormat old = Format();
    old.bF2 = 0;
    const QByteArray bytes = Store(girder, old);
    constexpr int kEntry = 3 * 16 + 4 + 3 * 16 + 4;
    EXPECT_EQ(bytes.size(), kRecord + kNodes * kEntry);
    EXPECT_TRUE(Load(bytes, old) == girder);
    // The moment curves' values stand in each entry's first two points.
    double first;
    std::memcpy(&first, bytes.constData() + kAtPointTable + 8 + 3 * kEntry + 8, 8);
    EXPECT_EQ(first, girder.m_pdMomentMaxJ[1]);
}

TEST(GirderResultsFile, RefusesCutAndCorruptRecords)
{
    const QByteArray bytes = Store(Filled());
    const CGirderDesign before = Filled();

    // Cut anywhere, the stream ends early and the girder keeps what it held.
    for (int length = 0; length < bytes.size(); ++length) {
        QByteArray cut = bytes.left(length);
        CArchive ar(&cut, CArchive::load);
        CGirderDesign g = before;
        try {
            SerializeGirderResults(ar, g, Format());
            ADD_FAILURE() << "loaded from " << length << " bytes";
        } catch (const CArchiveException& e) {
            EXPECT_EQ(e.m_cause, CArchiveException::endOfFile) << length;
        }
        if (length % 97 == 0) {
            EXPECT_TRUE(g == before) << length;
        }
    }

    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double inf = std::numeric_limits<double>::infinity();
    struct Corruption {
        const char* what;
        void (*apply)(QByteArray&);
    };
    const Corruption corruptions[] = {
        {"bridge type 3", [](QByteArray& b) { Put(b, 4, 3); }},
        {"huge section count", [](QByteArray& b) { Put(b, 8, 4000000000u); }},
        {"1001 sections", [](QByteArray& b) { Put(b, 8, 1001); }},
        {"member count not P - 1", [](QByteArray& b) { Put(b, kHead - 8, kM - 1); }},
        {"span count", [](QByteArray& b) { Put(b, kHead - 4, kS + 1); }},
        {"span start", [](QByteArray& b) { Put(b, kAtSpanStarts + 4, 4); }},
        {"negative girder length", [](QByteArray& b) { Put(b, 16, -1.0); }},
        {"infinite member length", [](QByteArray& b) { Put(b, kAtMembers + kMember - 8, inf); }},
        {"NaN span length", [](QByteArray& b) { Put(b, kAtSpanLengths + 8, nan); }},
        {"NaN section length", [](QByteArray& b) { Put(b, kAtSections + 16 * 4, nan); }},
        {"node list above 2M", [](QByteArray& b) { Put(b, kAtNodeCounts, kNodes + 2); }},
        {"node lists differ", [](QByteArray& b) { Put(b, kAtNodeCounts + 4, kNodes - 2); }},
        {"point table count", [](QByteArray& b) { Put(b, kAtPointTable + 4, 4000000000u); }},
        {"steel grade 9", [](QByteArray& b) { Put(b, kAtSections, 9); }},
        // Any real that is not a number would spread through the sections and the estimate.
        {"NaN flange width", [](QByteArray& b) { Put(b, kHead, nan); }},
        {"infinite moment", [](QByteArray& b) { Put(b, kAtMembers + 4 + 3 * 8, -inf); }},
        {"NaN reaction", [](QByteArray& b) { Put(b, kAtMembers + kM * kMember + 4, nan); }},
        {"infinite deflection", [](QByteArray& b) { Put(b, kAtSpanLengths - kPanelPoint, inf); }},
        {"NaN shear point", [](QByteArray& b) { Put(b, kAtNodeCounts + 3 * 4 + 8, nan); }},
        {"infinite peak", [](QByteArray& b) { Put(b, kAtPointTable + 8, inf); }},
        {"NaN check point", [](QByteArray& b) { Put(b, kAtSections + 16 * 4 + 8, nan); }},
        {"infinite section property", [](QByteArray& b) { Put(b, kAtSections + kSection - 3 * 8, inf); }},
    };
    for (const Corruption& c : corruptions) {
        QByteArray bad = bytes;
        c.apply(bad);
        EXPECT_EQ(LoadFailure(bad), CArchiveException::badSchema) << c.what;
    }

    // Nor is such a real ever written.
    CGirderDesign broken = Filled();
    broken.m_pSections[2].m_dI = nan;
    EXPECT_THROW(Store(broken), CArchiveException);

    // The file's own counts are checked before anything is sized from them.
    const int sevenPanels[kS] = {3, 3};
    CResultsFormat fmt = Format();
    fmt.anPanelCount = sevenPanels;
    EXPECT_EQ(LoadFailure(bytes, fmt), CArchiveException::badSchema);
    fmt = Format();
    fmt.nSpans = 15;
    EXPECT_EQ(LoadFailure(bytes, fmt), CArchiveException::badSchema);

    // The header word is clamped, a stray edit mark reads as none.
    QByteArray odd = bytes;
    Put(odd, 12, 500);
    Put(odd, kAtSections + kSection + 12 * 4, 7);
    const CGirderDesign loaded = Load(odd);
    EXPECT_EQ(loaded.m_nPeaks, 100);
    EXPECT_EQ(loaded.m_pSections[1].m_bEdited, 0);
}
