#include "testrun/Layout.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>

namespace {
// Left, top, width and height of every control in declaration order.
using Figures = std::array<float, 80>;
using Rects = std::array<TwipRect, 20>;

void ExpectLayout(double width, double height, const Rects &expected)
{
    MainLayout g;
    ASSERT_TRUE(Form_Resize(width, height, g));
    const auto actual = std::bit_cast<Figures>(g);
    const auto wanted = std::bit_cast<Figures>(expected);
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], wanted[i], 0.01) << "control " << i / 4 << ", figure " << i % 4;
}

TEST(Layout, WorkedExamples)
{
    ExpectLayout(12000, 9200, {{{120, 0, 11760, 2000},    {240, 360, 11280, 1460},  {120, 2000, 11760, 5700},
                                {120, 360, 11520, 1250},  {120, 1670, 11520, 1250}, {120, 2980, 11520, 1250},
                                {120, 4290, 11520, 1250}, {480, 240, 10920, 890},   {480, 240, 10920, 890},
                                {480, 240, 10920, 890},   {480, 240, 10920, 890},   {120, 7700, 2175, 615},
                                {120, 8420, 2175, 615},   {2400, 7700, 2175, 615},  {2400, 8420, 2175, 615},
                                {4680, 7700, 2175, 615},  {4680, 8420, 2175, 615},  {10425, 7800, 1455, 495},
                                {10425, 8295, 1455, 495}, {6975, 7820, 360, 360}}});
    // The design client size.
    ExpectLayout(9495, 6930,
                 {{{120, 0, 9255, 1506.52},      {240, 360, 8775, 966.52},     {120, 1506.52, 9255, 3923.48},
                   {120, 360, 9015, 805.87},     {120, 1225.87, 9015, 805.87}, {120, 2091.74, 9015, 805.87},
                   {120, 2957.61, 9015, 805.87}, {480, 240, 8415, 445.87},     {480, 240, 8415, 445.87},
                   {480, 240, 8415, 445.87},     {480, 240, 8415, 445.87},     {120, 5430, 2175, 615},
                   {120, 6150, 2175, 615},       {2400, 5430, 2175, 615},      {2400, 6150, 2175, 615},
                   {4680, 5430, 2175, 615},      {4680, 6150, 2175, 615},      {7920, 5530, 1455, 495},
                   {7920, 6025, 1455, 495},      {6975, 5550, 360, 360}}});
}

} // namespace
