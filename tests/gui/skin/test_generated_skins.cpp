// The skins drawn at build time: complete, decodable, and sized so that every
// element fits the place the windows draw it at.
#include <QDir>
#include <QFile>
#include <QImageReader>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/i18n/ui_language.h"

#include "gui/skin/skin_files.h"
#include "gui/skin/skin_scale.h"
#include "ui_test_support.h"

namespace corvaline {
namespace {

const QString kData = QStringLiteral(CORVALINE_GENERATED_DATA_DIR);

// Sizes from the window layouts: the main window spans to the Cancel button's
// right edge (875) and below the web link (646); push buttons are 105 x 21
// hit areas, function boxes 211 x 21, window buttons 18 x 18, page tabs 40 x
// 40, report-rate stops 70 x 11, DPI cells and check boxes 16 x 16, setting
// ticks 24 x 11; the dialogs reach the close box (370) and Cancel (375).
const std::map<std::string_view, QSize>& ExpectedSizes() {
  static const std::map<std::string_view, QSize> sizes = {
      {kMainPng, {880, 660}},          {kBasicPagePng, {880, 660}},     {kAdvancedPagePng, {880, 660}},
      {kMinNormalPng, {18, 18}},       {kMinOverPng, {18, 18}},         {kCloseNormalPng, {18, 18}},
      {kCloseOverPng, {18, 18}},       {kSkinsNormalPng, {18, 18}},     {kSkinsOverPng, {18, 18}},
      {kPrePageNormalPng, {40, 40}},   {kPrePageOverPng, {40, 40}},     {kNextPageNormalPng, {40, 40}},
      {kNextPageOverPng, {40, 40}},    {kButtonNormalPng, {105, 21}},   {kButtonOverPng, {105, 21}},
      {kDropdownNormalPng, {211, 21}}, {kDropdownOverPng, {211, 21}},   {kSliderRateDarkPng, {70, 11}},
      {kSliderRateLightPng, {70, 11}}, {kSliderDpiDarkPng, {16, 16}},   {kSliderDpiLightPng, {16, 16}},
      {kPanePng, {16, 16}},            {kPaneTickPng, {16, 16}},        {kSliderDarkPng, {24, 11}},
      {kSliderLightPng, {24, 11}},     {kComboKeyPng, {380, 290}},      {kSingleKeyPng, {380, 290}},
      {kDelayTimePng, {380, 290}},     {kFireKeyPng, {380, 290}},       {kMediaKeyPng, {380, 290}},
      {kWindowsKeyPng, {380, 310}},    {kMacroKeyPng, {380, 290}},      {kSkinsDialogPng, {380, 290}},
  };
  return sizes;
}

QImage Read(const QString& path) {
  QImageReader reader(path);
  return reader.read();
}

// The set, the radio pair, and a picture per language of each dialog's
// background (the one with words: its title, its labels), the same size.
std::vector<std::pair<std::string, QSize>> DeliveredFiles() {
  std::vector<std::pair<std::string, QSize>> files;
  for (std::string_view name : kSkinFileSet) {
    const QSize size = ExpectedSizes().at(name);
    files.emplace_back(name, size);
    if (size.width() != 380) continue;  // only the dialogs hold words
    for (UiLanguage lang : {UiLanguage::CHS, UiLanguage::CHT})
      files.emplace_back(SkinFileCandidates(name, lang).front(), size);
  }
  files.emplace_back(kRadioPng, QSize(16, 16));
  files.emplace_back(kRadioOnPng, QSize(16, 16));
  return files;
}

TEST(GeneratedSkinsTest, BothSkinsHoldEveryFileAtItsSize) {
  ASSERT_EQ(ExpectedSizes().size(), kSkinFileSet.size());
  for (const char* skin : {"Carbon", "Frost"}) {
    const QString folder = kData + "/Skins/" + skin;
    for (const auto& [name, size] : DeliveredFiles()) {
      SCOPED_TRACE(std::string(skin) + name);
      const QImage image = Read(folder + QString::fromStdString(name));
      ASSERT_FALSE(image.isNull());
      EXPECT_EQ(image.size(), size);
      // The 2x picture: exactly twice the size, drawn anew (not the 1x one
      // blown up, which would hold nothing but 2 x 2 blocks).
      const QImage twice = Read(DoubleSizePath(folder + QString::fromStdString(name)));
      EXPECT_EQ(twice.size(), image.size() * 2);
      EXPECT_NE(twice.convertToFormat(QImage::Format_ARGB32),
                image.scaled(image.size() * 2).convertToFormat(QImage::Format_ARGB32));
    }
    // The Chinese pictures hold other words than the English ones.
    EXPECT_NE(Read(folder + "/fire-key.png"), Read(folder + "/fire-key.CHS.png"));
    EXPECT_NE(Read(folder + "/fire-key.CHS.png"), Read(folder + "/fire-key.CHT.png"));
    // Nothing but those at 1x and 2x and the skin's colours: a stray file
    // would be a name the program never reads.
    const QStringList files = QDir(folder).entryList(QDir::Files);
    EXPECT_EQ(files.size(), static_cast<qsizetype>(2 * DeliveredFiles().size()) + 1);
    EXPECT_TRUE(files.contains("skin.ini"));
  }
}

TEST(GeneratedSkinsTest, HoverPicturesDifferFromTheNormalOnesAndTheSkinsDiffer) {
  const std::pair<std::string_view, std::string_view> pairs[] = {
      {kButtonNormalPng, kButtonOverPng},       {kDropdownNormalPng, kDropdownOverPng},
      {kMinNormalPng, kMinOverPng},             {kCloseNormalPng, kCloseOverPng},
      {kSkinsNormalPng, kSkinsOverPng},         {kPrePageNormalPng, kPrePageOverPng},
      {kNextPageNormalPng, kNextPageOverPng},   {kSliderRateDarkPng, kSliderRateLightPng},
      {kSliderDpiDarkPng, kSliderDpiLightPng},  {kPanePng, kPaneTickPng},
      {kSliderDarkPng, kSliderLightPng},
  };
  const QString carbon = kData + "/Skins/Carbon";
  const QString frost = kData + "/Skins/Frost";
  for (auto [normal, over] : pairs) {
    SCOPED_TRACE(std::string(normal));
    EXPECT_NE(Read(carbon + QString::fromUtf8(normal.data(), normal.size())),
              Read(carbon + QString::fromUtf8(over.data(), over.size())));
  }
  EXPECT_NE(Read(carbon + "/BasicSet2.png"), Read(frost + "/BasicSet2.png"));
}

TEST(GeneratedSkinsTest, IconExistsAtEverySize) {
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QImage icon = Read(kData + QString("/icons/corvaline-%1.png").arg(size));
    ASSERT_FALSE(icon.isNull()) << size;
    EXPECT_EQ(icon.size(), QSize(size, size));
    EXPECT_TRUE(icon.hasAlphaChannel());
  }
  QFile svg(kData + "/icons/corvaline.svg");
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_TRUE(svg.readAll().contains("<svg"));
}

}  // namespace
}  // namespace corvaline
