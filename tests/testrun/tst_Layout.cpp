#include "testrun/Layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
struct Expect
{
    const char *what;
    float actual;
    double expected;
};

void Check(std::initializer_list<Expect> values)
{
    for (const Expect &v : values) {
        SCOPED_TRACE(v.what);
        EXPECT_NEAR(v.actual, v.expected, 0.01);
    }
}

bool SameGeometry(const TwipRect &a, const TwipRect &b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
}
} // namespace

TEST(Layout, LargerWindow)
{
    MainLayout g;
    ASSERT_TRUE(Form_Resize(12000, 9200, g));
    Check({
        {"Frame1 Width", g.Frame1.Width, 11760},
        {"Frame1 Height", g.Frame1.Height, 2000},
        {"Text1 Width", g.Text1.Width, 11280},
        {"Text1 Height", g.Text1.Height, 1460},
        {"Frame2 Top", g.Frame2.Top, 2000},
        {"Frame2 Width", g.Frame2.Width, 11760},
        {"Frame2 Height", g.Frame2.Height, 5700},
        {"Frame3 Top", g.Frame3.Top, 360},
        {"Frame4 Top", g.Frame4.Top, 1670},
        {"Frame5 Top", g.Frame5.Top, 2980},
        {"Frame6 Top", g.Frame6.Top, 4290},
        {"Frame6 Width", g.Frame6.Width, 11520},
        {"Frame6 Height", g.Frame6.Height, 1250},
        {"txtD Width", g.txtD.Width, 10920},
        {"txtD Height", g.txtD.Height, 890},
        {"FramePos Top", g.FramePos.Top, 7700},
        {"FrameTrue Top", g.FrameTrue.Top, 7700},
        {"FrameTestTime Top", g.FrameTestTime.Top, 7700},
        {"FrameTime Top", g.FrameTime.Top, 8420},
        {"FrameFalse Top", g.FrameFalse.Top, 8420},
        {"FrameQuestTime Top", g.FrameQuestTime.Top, 8420},
        {"cmdNext Left", g.cmdNext.Left, 10425},
        {"cmdNext Top", g.cmdNext.Top, 7800},
        {"cmdCancel Left", g.cmdCancel.Left, 10425},
        {"cmdCancel Top", g.cmdCancel.Top, 8295},
        {"Image3 Left", g.Image3.Left, 6975},
        {"Image3 Top", g.Image3.Top, 7820},
    });
    // What the rule does not name keeps its design value.
    Check({{"Frame1 Left", g.Frame1.Left, 120},
           {"FrameFalse Left", g.FrameFalse.Left, 4680},
           {"txtA Left", g.txtA.Left, 480},
           {"Image3 Width", g.Image3.Width, 360}});
}

TEST(Layout, DesignClientSize)
{
    MainLayout g;
    ASSERT_TRUE(Form_Resize(9495, 6930, g));
    Check({
        {"Frame1 Height", g.Frame1.Height, 1506.52},
        {"Frame2 Top", g.Frame2.Top, 1506.52},
        {"Frame2 Height", g.Frame2.Height, 3923.48},
        {"FramePos Top", g.FramePos.Top, 5430},
        {"FrameTime Top", g.FrameTime.Top, 6150},
        {"cmdNext Left", g.cmdNext.Left, 7920},
        {"cmdNext Top", g.cmdNext.Top, 5530},
        {"cmdCancel Top", g.cmdCancel.Top, 6025},
        {"Frame3 Height", g.Frame3.Height, 805.87},
        {"Frame3 Top", g.Frame3.Top, 360},
        {"Frame4 Top", g.Frame4.Top, 1225.87},
        {"Frame5 Top", g.Frame5.Top, 2091.74},
        {"Frame6 Top", g.Frame6.Top, 2957.61},
        {"txtA Width", g.txtA.Width, 8415},
        {"txtC Height", g.txtC.Height, 445.87},
        {"Image3 Left", g.Image3.Left, 6975},
        {"Image3 Top", g.Image3.Top, 5550},
    });
}

TEST(Layout, MinimisedWindowChangesNothing)
{
    MainLayout g;
    ASSERT_TRUE(Form_Resize(12000, 9200, g));
    const MainLayout before = g;
    EXPECT_FALSE(Form_Resize(0, 0, g));
    EXPECT_FALSE(Form_Resize(-1, std::nan(""), g));
    EXPECT_TRUE(SameGeometry(g.Frame1, before.Frame1));
    EXPECT_TRUE(SameGeometry(g.Frame6, before.Frame6));
    EXPECT_TRUE(SameGeometry(g.cmdCancel, before.cmdCancel));
    EXPECT_TRUE(SameGeometry(g.Image3, before.Image3));
}

TEST(Layout, SameHeightGivesSameHeightsWhateverTheWidth)
{
    MainLayout narrow;
    MainLayout wide;
    Form_Resize(9495, 8000, narrow);
    Form_Resize(9495, 8000, wide);
    Form_Resize(15000, 8000, wide);
    EXPECT_EQ(wide.Frame6.Top, narrow.Frame6.Top);
    EXPECT_EQ(wide.txtB.Height, narrow.txtB.Height);
    EXPECT_EQ(wide.cmdCancel.Top, narrow.cmdCancel.Top);
    // The buttons follow the right edge; the hint icon stays beside the status frames.
    EXPECT_FLOAT_EQ(wide.cmdNext.Left, 15000 - 1455 - 120);
    EXPECT_EQ(wide.Image3.Left, narrow.Image3.Left);
}
