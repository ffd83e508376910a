// The print selection form over a design with results.
#include "print_fixture.h"

#include "common/picture_folder.h"
#include "framework/wndextras.h"

namespace {

class PrintFormTest : public PrintTest {};

}

TEST_F(PrintFormTest, StationListsStartWithEveryRowChecked)
{
    OpenExample("plate_3span_skew.mvl");
    CPrintView& v = OpenForm();
    ASSERT_GT(g_nCrossSections, 1);
    EXPECT_EQ(v.m_gridShapeRows.GetNumberRows(), g_nCrossSections);
    const CPictureFolder pictures;
    EXPECT_TRUE(AfxSaveWindowImage(v.GetParentFrame(), pictures.FilePath(QStringLiteral("form.png"))));
}
