// Shared pieces of the skin tests: a Qt application for the whole run, a
// scratch skin folder, and a message sink that records what the user would see.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

#include "gui/skin/message_sink.h"

namespace corvaline::test {

// Writes a PNG; `withAlpha` picks a 32-bit (RGBA) or a 24-bit (RGB) file.
bool WritePng(const QString& path, const QImage& image, bool withAlpha);
// An image of one straight-alpha colour.
QImage Filled(int w, int h, QColor colour);

struct RecordedMessage {
  std::string text;
  std::string caption;
};

class RecordingSink : public MessageSink {
 public:
  RecordingSink() { SetMessageSink(this); }
  ~RecordingSink() override { SetMessageSink(nullptr); }
  void ShowMessage(std::string_view text, std::string_view caption) override {
    messages.push_back({std::string(text), std::string(caption)});
  }
  std::vector<RecordedMessage> messages;
};

// A temporary skin folder made current for the duration of a test.
class ScratchSkin {
 public:
  ScratchSkin();
  ~ScratchSkin();
  QString Folder() const { return dir_.path(); }
  QString Path(std::string_view name) const;

 private:
  QTemporaryDir dir_;
  QString previous_;
};

}  // namespace corvaline::test
