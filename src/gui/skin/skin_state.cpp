#include "gui/skin/skin_state.h"

namespace corvaline {
namespace {

struct SkinState {
  QString folder;
  QString name;
  QColor textColour{0, 255, 0};
};

SkinState& State() {
  static SkinState state;
  return state;
}

}  // namespace

const QString& SkinFolder() { return State().folder; }

void SetSkinFolder(const QString& folder) {
  State().folder = folder;
}

const QString& SkinName() { return State().name; }
void SetSkinName(const QString& name) { State().name = name; }

QColor TextColour() { return State().textColour; }
void SetTextColour(QColor colour) { State().textColour = colour; }

QString SkinPath(std::string_view fileName) {
  return State().folder + QString::fromUtf8(fileName.data(), static_cast<qsizetype>(fileName.size()));
}

}  // namespace corvaline
