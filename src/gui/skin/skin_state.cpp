#include "gui/skin/skin_state.h"

#include <QFileInfo>

#include "core/i18n/ui_language.h"

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
  const std::vector<std::string> names = SkinFileCandidates(fileName, CurrentLanguage());
  for (std::size_t i = 0; i + 1 < names.size(); ++i) {
    const QString path = State().folder + QString::fromStdString(names[i]);
    if (QFileInfo::exists(path)) return path;
  }
  return State().folder + QString::fromStdString(names.back());
}

}  // namespace corvaline
