#include "testrun/Layout.h"

#include <gtest/gtest.h>

namespace {
TEST(Layout, ControlsFollowTheWindowSize)
{
    for (const auto &[W, H] :
         {std::pair(9495.0, 6930.0), std::pair(12000.0, 9200.0), std::pair(7000.0, 5200.0)}) {
        SCOPED_TRACE(testing::Message() << W << "x" << H);
        MainLayout g;
        ASSERT_TRUE(Form_Resize(W, H, g));
        // The question above the answers, both the window's width less the margins; the status rows below.
        EXPECT_NEAR(g.Frame1.Left + g.Frame1.Width, W - 120, 0.01);
        EXPECT_NEAR(g.Frame2.Width, g.Frame1.Width, 0.01);
        EXPECT_NEAR(g.Frame2.Top, g.Frame1.Top + g.Frame1.Height, 0.01);
        EXPECT_NEAR(g.FramePos.Top, g.Frame2.Top + g.Frame2.Height, 0.01);
        EXPECT_NEAR(g.FramePos.Top + 1500, H, 0.01);
        for (const TwipRect &frame : {g.FrameTestTime, g.FrameTrue})
            EXPECT_NEAR(frame.Top, g.FramePos.Top, 0.01);
        for (const TwipRect &frame : {g.FrameTime, g.FrameQuestTime, g.FrameFalse})
            EXPECT_NEAR(frame.Top, g.FramePos.Top + 720, 0.01);
        // The buttons stacked at the right edge.
        EXPECT_NEAR(g.cmdNext.Left + g.cmdNext.Width, W - 120, 0.01);
        EXPECT_EQ(g.cmdCancel.Left, g.cmdNext.Left);
        EXPECT_NEAR(g.cmdCancel.Top, g.cmdNext.Top + g.cmdNext.Height, 0.01);
        // The answer frames equal, evenly spaced, filling their frame; their texts alike.
        const TwipRect answers[] = {g.Frame3, g.Frame4, g.Frame5, g.Frame6};
        for (int i = 1; i < 4; ++i) {
            EXPECT_EQ(std::tie(answers[i].Left, answers[i].Width, answers[i].Height),
                      std::tie(g.Frame3.Left, g.Frame3.Width, g.Frame3.Height));
            EXPECT_NEAR(answers[i].Top, answers[i - 1].Top + answers[i - 1].Height + 60, 0.01);
        }
        EXPECT_NEAR(g.Frame6.Top + g.Frame6.Height + 160, g.Frame2.Height, 0.01);
        for (const TwipRect &text : {g.txtA, g.txtB, g.txtC, g.txtD})
            EXPECT_EQ(std::tie(text.Width, text.Height), std::tie(g.txtA.Width, g.txtA.Height));
    }
    // At the design client size.
    MainLayout g;
    ASSERT_TRUE(Form_Resize(9495, 6930, g));
    const std::pair<float, double> design[] = {
        {g.Frame1.Height, 1506.52}, {g.Text1.Width, 8775}, {g.Text1.Height, 966.52},
        {g.Frame3.Height, 805.87},  {g.txtA.Width, 8415},  {g.txtA.Height, 445.87},
        {g.cmdNext.Top, 5530},      {g.Image3.Left, 6975}, {g.Image3.Top, 5550}};
    for (const auto &[actual, expected] : design)
        EXPECT_NEAR(actual, expected, 0.01);
}
} // namespace
