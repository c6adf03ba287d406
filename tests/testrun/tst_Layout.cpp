#include "testrun/Layout.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
// Every control of the layout in declaration order.
const char *const Names[] = {"Frame1",    "Text1",      "Frame2",    "Frame3",        "Frame4",
                             "Frame5",    "Frame6",     "txtA",      "txtB",          "txtC",
                             "txtD",      "FramePos",   "FrameTime", "FrameTestTime", "FrameQuestTime",
                             "FrameTrue", "FrameFalse", "cmdNext",   "cmdCancel",     "Image3"};

std::vector<TwipRect> Rects(const MainLayout &g)
{
    return {g.Frame1,         g.Text1,     g.Frame2,     g.Frame3,  g.Frame4,    g.Frame5,    g.Frame6,
            g.txtA,           g.txtB,      g.txtC,       g.txtD,    g.FramePos,  g.FrameTime, g.FrameTestTime,
            g.FrameQuestTime, g.FrameTrue, g.FrameFalse, g.cmdNext, g.cmdCancel, g.Image3};
}

// Left, top, width and height of every control, in the order of Names.
void ExpectLayout(const MainLayout &g, const std::vector<TwipRect> &expected)
{
    const std::vector<TwipRect> actual = Rects(g);
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i) {
        SCOPED_TRACE(Names[i]);
        EXPECT_NEAR(actual[i].Left, expected[i].Left, 0.01);
        EXPECT_NEAR(actual[i].Top, expected[i].Top, 0.01);
        EXPECT_NEAR(actual[i].Width, expected[i].Width, 0.01);
        EXPECT_NEAR(actual[i].Height, expected[i].Height, 0.01);
    }
}

TEST(Layout, LargerWindow)
{
    MainLayout g;
    ASSERT_TRUE(Form_Resize(12000, 9200, g));
    ExpectLayout(g, {{120, 0, 11760, 2000},    {240, 360, 11280, 1460},  {120, 2000, 11760, 5700},
                     {120, 360, 11520, 1250},  {120, 1670, 11520, 1250}, {120, 2980, 11520, 1250},
                     {120, 4290, 11520, 1250}, {480, 240, 10920, 890},   {480, 240, 10920, 890},
                     {480, 240, 10920, 890},   {480, 240, 10920, 890},   {120, 7700, 2175, 615},
                     {120, 8420, 2175, 615},   {2400, 7700, 2175, 615},  {2400, 8420, 2175, 615},
                     {4680, 7700, 2175, 615},  {4680, 8420, 2175, 615},  {10425, 7800, 1455, 495},
                     {10425, 8295, 1455, 495}, {6975, 7820, 360, 360}});
}

TEST(Layout, DesignClientSize)
{
    MainLayout g;
    ASSERT_TRUE(Form_Resize(9495, 6930, g));
    ExpectLayout(g,
                 {{120, 0, 9255, 1506.52},      {240, 360, 8775, 966.52},     {120, 1506.52, 9255, 3923.48},
                  {120, 360, 9015, 805.87},     {120, 1225.87, 9015, 805.87}, {120, 2091.74, 9015, 805.87},
                  {120, 2957.61, 9015, 805.87}, {480, 240, 8415, 445.87},     {480, 240, 8415, 445.87},
                  {480, 240, 8415, 445.87},     {480, 240, 8415, 445.87},     {120, 5430, 2175, 615},
                  {120, 6150, 2175, 615},       {2400, 5430, 2175, 615},      {2400, 6150, 2175, 615},
                  {4680, 5430, 2175, 615},      {4680, 6150, 2175, 615},      {7920, 5530, 1455, 495},
                  {7920, 6025, 1455, 495},      {6975, 5550, 360, 360}});
}

TEST(Layout, MinimisedWindowChangesNothing)
{
    MainLayout g;
    ASSERT_TRUE(Form_Resize(12000, 9200, g));
    const MainLayout before = g;
    EXPECT_FALSE(Form_Resize(0, 0, g));
    EXPECT_FALSE(Form_Resize(-1, std::nan(""), g));
    ExpectLayout(g, Rects(before));
}
} // namespace
