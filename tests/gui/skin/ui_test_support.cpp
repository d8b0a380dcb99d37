#include "ui_test_support.h"

#include <QApplication>

#include <gtest/gtest.h>

#include "gui/skin/image_cache.h"
#include "gui/skin/skin_state.h"

namespace corvaline::test {
namespace {

// Image decoding, font rendering and the list widgets need a Qt application
// object.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_gui_ui";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  QApplication* app_ = nullptr;
};

[[maybe_unused]] const auto* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

bool WritePng(const QString& path, const QImage& image, bool withAlpha) {
  return image.convertToFormat(withAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32)
      .save(path, "PNG");
}

QImage Filled(int w, int h, QColor colour) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(colour.rgba());
  return image;
}

ScratchSkin::ScratchSkin() : previous_(SkinFolder()) {
  SetSkinFolder(dir_.path());
  ImageCache().Clear();
}

ScratchSkin::~ScratchSkin() {
  SetSkinFolder(previous_);
  ImageCache().Clear();
}

QString ScratchSkin::Path(std::string_view name) const {
  return dir_.path() + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace corvaline::test
