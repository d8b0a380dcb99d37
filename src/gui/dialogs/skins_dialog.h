// CSkinsDialog: the skin (one folder of the Skins folder) and the colour in
// which the skinned windows draw their texts. The main window switches to
// the choice after OK (ChooseSkin); Cancel changes nothing.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

#include "gui/skin/skinned_dialog.h"

class QLabel;

namespace corvaline {

class DropDown;

// The system colour chooser, or a stand-in; nullopt when it was cancelled.
using SkinColourChooser = std::function<std::optional<QColor>(QWidget* parent, QColor initial)>;

struct SkinChoice {
  QString folder;  // full path of the skin's folder
  QString name;    // the folder's name, "Path" in str.ini
  QColor colour;   // UI text colour
};

// The skins: the folders (never the files) inside `skinsRoot`, by name.
QStringList ListSkinFolders(const QString& skinsRoot);
// Full path of the first folder whose name equals `name` without regard to
// letter case; empty when there is none.
QString FindSkinFolder(const QString& skinsRoot, const QString& name);

class CSkinsDialog : public SkinnedDialog {
  Q_OBJECT
 public:
  // Starts from the current skin and text colour.
  CSkinsDialog(QString skinsRoot, QWidget* parent = nullptr, SkinColourChooser chooser = {});
  ~CSkinsDialog() override;

  const SkinChoice& Choice() const { return choice_; }
  QLabel* NameDisplay() const { return nameDisplay_; }  // id 560
  QLabel* Swatch() const { return swatch_; }            // id 561
  DropDown* SkinList() const { return skins_.get(); }   // id 562

  QString Name() const override;

 protected:
  void DrawOwnTexts(QPainter& painter) override;
  void AddOwnControls(std::vector<DialogControl>& controls) override;

 private:
  void PaintSwatch();

  QString skinsRoot_;
  SkinColourChooser chooser_;
  SkinChoice choice_;
  bool colourPicked_ = false;  // the user chose a colour in this opening
  QLabel* nameDisplay_ = nullptr;
  QLabel* swatch_ = nullptr;
  std::unique_ptr<DropDown> skins_;
};

}  // namespace corvaline
