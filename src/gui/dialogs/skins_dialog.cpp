#include "gui/dialogs/skins_dialog.h"

#include <QColorDialog>
#include <QDir>
#include <QLabel>
#include <QPainter>

#include "core/i18n/accessible_texts.h"
#include "core/i18n/ui_strings.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/drop_down.h"
#include "gui/skin/skin_files.h"
#include "gui/skin/skin_state.h"

namespace corvaline {

namespace {
constexpr int kSkinListId = 562;
constexpr QRect kSkinsPrompt = RectLTRB(12, 64, 181, 94);
constexpr QRect kSwatch = RectLTRB(42, 94, 151, 110);
constexpr QRect kNameDisplay = RectLTRB(42, 128, 136, 144);
constexpr QRect kHeader = RectLTRB(42, 128, 151, 144);
constexpr QRect kList = RectLTRB(42, 146, 151, 266);

std::optional<QColor> SystemColourChooser(QWidget* parent, QColor initial) {
  const QColor colour = QColorDialog::getColor(initial, parent);
  if (!colour.isValid()) return std::nullopt;
  return colour;
}

QFileInfoList SkinFolderInfos(const QString& skinsRoot) {
  // By name: the order a listing of the folder shows them in, on every system.
  return QDir(skinsRoot).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot,
                                       QDir::Name | QDir::IgnoreCase);
}

}  // namespace

QStringList ListSkinFolders(const QString& skinsRoot) {
  QStringList names;
  for (const QFileInfo& info : SkinFolderInfos(skinsRoot)) names << info.fileName();
  return names;
}

QString FindSkinFolder(const QString& skinsRoot, const QString& name) {
  for (const QFileInfo& info : SkinFolderInfos(skinsRoot)) {
    if (info.fileName().compare(name, Qt::CaseInsensitive) == 0) return info.filePath();
  }
  return QString();
}

CSkinsDialog::CSkinsDialog(QString skinsRoot, QWidget* parent, SkinColourChooser chooser)
    : SkinnedDialog(parent, kSkinsDialogPng, kSkinsBackgroundFailed, DialogKeys::EndDialog),
      skinsRoot_(std::move(skinsRoot)),
      chooser_(chooser ? std::move(chooser) : SkinColourChooser(SystemColourChooser)),
      // Also without a background: OK must then keep the current skin, not
      // store an empty one.
      choice_{SkinFolder(), SkinName(), TextColour()} {
  if (!Built()) return;
  nameDisplay_ = MakeDisplay(kNameDisplay, Qt::AlignLeft, choice_.name);
  nameDisplay_->setObjectName(QStringLiteral("name560"));
  swatch_ = MakeDisplay(kSwatch, Qt::AlignHCenter, QString());
  swatch_->setObjectName(QStringLiteral("swatch561"));
  swatch_->setFrameStyle(QFrame::NoFrame);
  PaintSwatch();
  skins_ = std::make_unique<DropDown>(this, kSkinListId, kHeader, kList, DialogFont());
  skins_->entries = [this] { return ListSkinFolders(skinsRoot_); };
  skins_->current = [this] { return ListSkinFolders(skinsRoot_).indexOf(choice_.name, 0); };
  skins_->chosen = [this](int, const QString& text) {
    const QString folder = FindSkinFolder(skinsRoot_, text);
    if (folder.isEmpty()) return;  // gone since the list was filled
    choice_.name = text;
    choice_.folder = folder;
    SetDisplayText(*nameDisplay_, text);
    // The colour the skin is drawn for, until the user picks one: a colour
    // just chosen is not taken away by the skin chosen after it.
    if (colourPicked_) return;
    if (const std::optional<Rgb> own = ReadSkinColours(folder.toStdString()).text) {
      choice_.colour = ToQColor(*own);
      PaintSwatch();
    }
  };
  AddDropDown(skins_.get());
}

CSkinsDialog::~CSkinsDialog() = default;

void CSkinsDialog::PaintSwatch() {
  QPalette palette = swatch_->palette();
  palette.setColor(QPalette::Window, choice_.colour);
  swatch_->setPalette(palette);
}

QString CSkinsDialog::Name() const { return Utf8(UiText(AccessibleText::Skins, Language())); }

void CSkinsDialog::AddOwnControls(std::vector<DialogControl>& controls) {
  DialogControl swatch;
  swatch.rect = ToPixelRect(kSwatch);
  swatch.name = UiName(AccessibleText::TextColour);
  swatch.description = [this] { return choice_.colour.name(QColor::HexRgb).toUpper(); };
  swatch.value = swatch.description;
  swatch.click = [this](int, int, QImage*) {
    if (const std::optional<QColor> colour = chooser_(this, choice_.colour)) {
      choice_.colour = colour->toRgb();
      colourPicked_ = true;
      PaintSwatch();
    }
    return true;
  };
  controls.push_back(std::move(swatch));
  controls.push_back(DropDownControl(*skins_, nameDisplay_, UiName(AccessibleText::Skin)));
}

void CSkinsDialog::DrawOwnTexts(QPainter& painter) {
  // Wrapped: on one line the English prompt is wider than its box.
  DrawSkinText(painter, Utf8(UiText(SkinsText::ColourPrompt, Language())), kSkinsPrompt,
               DialogFont(), kCaptionAlign, TextFlow::Wrap);
}

}  // namespace corvaline
