// The focus mark's two colours: which one a pixel takes, and the pair of a
// skin that declares one colour or none.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/settings/focus_mark.h"

namespace corvaline {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kAmber{255, 200, 0};

TEST(FocusMarkTest, EachPixelTakesTheColourThatStandsOutMoreAndAWidePairKeepsThreeToOne) {
  EXPECT_DOUBLE_EQ(ContrastRatio(kBlack, kWhite), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(kWhite, kBlack), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(kAmber, kAmber), 1.0);
  EXPECT_NEAR(ContrastRatio(Rgb{119, 119, 119}, kWhite), 4.48, 0.01);  // the usual WCAG example

  const FocusMarkColours pair{kAmber, kBlack};
  EXPECT_EQ(FocusMarkPixel(pair, Rgb{20, 22, 26}), kAmber);
  EXPECT_EQ(FocusMarkPixel(pair, Rgb{250, 210, 20}), kBlack);
  EXPECT_EQ(FocusMarkPixel(pair, kWhite), kBlack);
  // Equally weak both ways: the skin's own colour.
  EXPECT_EQ(FocusMarkPixel({kWhite, kWhite}, kBlack), kWhite);

  // A pair 9:1 apart keeps 3:1 over every grey (where the two choices meet)
  // and over a grid through the whole colour cube; black and white keep 4.5:1.
  for (const FocusMarkColours& p :
       {pair, FocusMarkColours{Rgb{10, 50, 140}, kWhite}, FocusMarkColours{kWhite, kBlack}}) {
    ASSERT_GE(ContrastRatio(p.mark, p.contrast), 9.0);
    double worst = 21;
    const auto measure = [&](int r, int g, int b) {
      const Rgb under{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                      static_cast<std::uint8_t>(b)};
      worst = std::min(worst, ContrastRatio(FocusMarkPixel(p, under), under));
    };
    for (int v = 0; v < 256; ++v) measure(v, v, v);
    for (int r = 0; r < 256; r += 15)
      for (int g = 0; g < 256; g += 15)
        for (int b = 0; b < 256; b += 15) measure(r, g, b);
    EXPECT_GE(worst, p.mark == kWhite ? 4.5 : kFocusMarkContrast);
  }
}

TEST(FocusMarkTest, ASkinWithoutTheSecondColourGetsBlackOrWhiteBesideItsOwn) {
  EXPECT_EQ(FocusMarkColoursOf({}), (FocusMarkColours{kWhite, kBlack}));
  SkinColours skin;
  skin.focus = Rgb{250, 120, 10};
  EXPECT_EQ(FocusMarkColoursOf(skin), (FocusMarkColours{Rgb{250, 120, 10}, kBlack}));
  skin.focus = Rgb{20, 70, 170};
  EXPECT_EQ(FocusMarkColoursOf(skin), (FocusMarkColours{Rgb{20, 70, 170}, kWhite}));
  skin.focusContrast = Rgb{250, 250, 200};
  EXPECT_EQ(FocusMarkColoursOf(skin), (FocusMarkColours{Rgb{20, 70, 170}, Rgb{250, 250, 200}}));
  skin.focus.reset();
  EXPECT_EQ(FocusMarkColoursOf(skin), (FocusMarkColours{kBlack, Rgb{250, 250, 200}}));
}

}  // namespace
}  // namespace corvaline
