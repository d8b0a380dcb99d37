// Backgrounds of the sub-dialogs. Each dialog takes the size of its picture;
// the close box sits at (352, 6), OK and Cancel at (166..375, 253..274), so
// every picture is 380 wide and reaches below the buttons (the Windows-key
// list runs down to 306).
#include <QLinearGradient>

#include <array>
#include <string>
#include <QPainterPath>
#include <QRadialGradient>

#include "art.h"
#include "core/i18n/accessible_texts.h"
#include "core/i18n/ui_language.h"
#include "core/i18n/ui_strings.h"
#include "gui/skin/skin_files.h"

namespace skingen {
namespace {

Theme ContentTheme(const Theme& t);

// The content panel, where the dialogs draw their fixed white texts.
constexpr QRect kContentPanel(6, 38, 368, 212);

void Frame(QPainter& p, const Theme& t, const QString& title, QSize size, int seed,
           const QRect& panel, const Theme& panelTheme) {
  const QRect all(QPoint(0, 0), size);
  Brushed(p, all, t.backTop, t.backBottom, seed);
  p.fillRect(QRect(0, 0, size.width(), 30), QColor(0, 0, 0, t.dark ? 70 : 14));
  p.setPen(QPen(t.accent, 1));
  p.drawLine(0, 30, size.width(), 30);
  Glow(p, QRectF(60, 30, size.width() - 120, 0.5), t.accent, 3, 0.5);
  Text(p, QRect(14, 6, 320, 20), title.toUpper(), 12, t.label, Qt::AlignLeft | Qt::AlignVCenter, true, 1.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, t.dark ? 80 : 30));
  p.drawEllipse(QRectF(350.5, 4.5, 21, 21));
  Panel(p, panel, panelTheme, false);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(t.edgeDark, 1));
  p.drawRect(QRectF(0.5, 0.5, size.width() - 1, size.height() - 1));
}

void Label(QPainter& p, const Theme& t, const QRect& r, const QString& text) {
  Text(p, r, text, 11, t.labelDim, Qt::AlignLeft | Qt::AlignVCenter, true, 0.5);
}

void DropBox(QPainter& p, const Theme& t, const QRect& box) {
  Well(p, box, t);
  DownArrow(p, QRectF(box.right() - 14, box.top(), 14, box.height()), t.accent);
}

// One raised key top with a legend.
void Keycap(QPainter& p, const Theme& t, const QRectF& r, const QString& legend, bool lit) {
  QLinearGradient g(r.topLeft(), r.bottomLeft());
  g.setColorAt(0, t.buttonTop);
  g.setColorAt(1, t.buttonBottom);
  if (lit) Glow(p, r, t.accent, 5, 6);
  p.setPen(QPen(lit ? t.accent : t.edgeDark, 1.2));
  p.setBrush(g);
  p.drawRoundedRect(r, 6, 6);
  p.setPen(QPen(QColor(255, 255, 255, t.dark ? 40 : 160), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r.adjusted(5, 4, -5, -8), 4, 4);
  Text(p, r.toRect().adjusted(0, -4, 0, -4), legend, static_cast<int>(r.height() / 3.2),
       lit ? t.accent : t.label, Qt::AlignCenter, true);
}

void Stopwatch(QPainter& p, const Theme& t, const QPointF& c, qreal r) {
  Glow(p, QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), t.accent, 5, r);
  p.setPen(QPen(t.label, 3));
  p.setBrush(t.fieldBack);
  p.drawEllipse(c, r, r);
  p.drawLine(QPointF(c.x(), c.y() - r - 2), QPointF(c.x(), c.y() - r - 10));
  p.drawLine(QPointF(c.x() - 8, c.y() - r - 11), QPointF(c.x() + 8, c.y() - r - 11));
  for (int i = 0; i < 12; ++i) {
    p.save();
    p.translate(c);
    p.rotate(i * 30);
    p.setPen(QPen(t.labelDim, i % 3 == 0 ? 2.5 : 1.2));
    p.drawLine(QPointF(0, -r + 5), QPointF(0, -r + (i % 3 == 0 ? 13 : 9)));
    p.restore();
  }
  p.setPen(QPen(t.accent, 3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c, c + QPointF(r * 0.45, -r * 0.55));
}

void Crosshair(QPainter& p, const Theme& t, const QPointF& c, qreal r) {
  const QColor hot(255, 90, 40);
  for (int i = 0; i < 3; ++i) {
    QColor ring = i == 0 ? hot : t.labelDim;
    p.setPen(QPen(ring, i == 0 ? 2.5 : 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r - i * 14, r - i * 14);
  }
  p.setPen(QPen(t.label, 1.5));
  p.drawLine(QPointF(c.x() - r - 8, c.y()), QPointF(c.x() + r + 8, c.y()));
  p.drawLine(QPointF(c.x(), c.y() - r - 8), QPointF(c.x(), c.y() + r + 8));
  Glow(p, QRectF(c.x() - 5, c.y() - 5, 10, 10), hot, 5, 5);
  p.setPen(Qt::NoPen);
  p.setBrush(hot);
  p.drawEllipse(c, 4, 4);
}

void MediaGlyph(QPainter& p, const Theme& t, const QPointF& c) {
  Glow(p, QRectF(c.x() - 40, c.y() - 40, 80, 80), t.accent, 6, 40);
  p.setPen(QPen(t.label, 2));
  p.setBrush(t.fieldBack);
  p.drawEllipse(c, 40, 40);
  QPainterPath play;
  play.moveTo(c.x() - 12, c.y() - 18);
  play.lineTo(c.x() + 20, c.y());
  play.lineTo(c.x() - 12, c.y() + 18);
  play.closeSubpath();
  p.fillPath(play, t.accent);
}

void WindowsGlyph(QPainter& p, const Theme& t, const QPointF& c) {
  Glow(p, QRectF(c.x() - 34, c.y() - 34, 68, 68), t.accent, 6, 6);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 4; ++i) {
    QColor pane = t.accent;
    pane.setAlpha(i == 0 ? 255 : 190 - i * 25);
    p.setBrush(pane);
    p.drawRoundedRect(QRectF(c.x() - 33 + (i % 2) * 35, c.y() - 33 + (i / 2) * 35, 31, 31), 3, 3);
  }
}

void PaletteGlyph(QPainter& p, const Theme& t, const QPointF& c) {
  // Three skin cards fanned out from a common pivot below them.
  const QColor cards[3] = {QColor(34, 37, 43), QColor(226, 234, 244), t.accent};
  for (int i = 0; i < 3; ++i) {
    p.save();
    p.translate(c + QPointF(0, 50));
    p.rotate(-24 + i * 24);
    if (i == 2) Glow(p, QRectF(-24, -100, 48, 76), t.accent, 4, 6);
    p.setPen(QPen(t.edgeDark, 1.2));
    p.setBrush(cards[i]);
    p.drawRoundedRect(QRectF(-24, -100, 48, 76), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(i == 0 ? QColor(0, 200, 255) : (i == 1 ? QColor(30, 120, 255) : QColor(255, 255, 255, 200)));
    p.drawRoundedRect(QRectF(-16, -90, 32, 5), 2, 2);
    p.drawRoundedRect(QRectF(-16, -80, 20, 4), 2, 2);
    p.restore();
  }
}

enum class Art { Single, Combo, Fire, Delay, Media, Windows, Macro, Skins };

QString Words(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// The words drawn into the pictures, in the program's own texts of the
// language where it has them.
struct Wording {
  QString modifier, key1, key2, key, function;
};

Wording WordingFor(corvaline::UiLanguage lang) {
  using namespace corvaline;
  if (lang == UiLanguage::EN) return {"Modifier", "Key 1", "Key 2", "Key", "Function"};
  return {Words(UiText(AccessibleText::Modifier, lang)),
          QString::fromStdString(NumberedText(AccessibleText::ComboKey, 1, lang)),
          QString::fromStdString(NumberedText(AccessibleText::ComboKey, 2, lang)),
          Words(UiText(AccessibleText::FireKey, lang)), QStringLiteral("功能")};
}

void Body(QPainter& p, const Theme& t, Art art, const Wording& w) {
  switch (art) {
    case Art::Single:
      Well(p, LTRB(73, 128, 151, 144), t);
      Keycap(p, t, QRectF(236, 76, 96, 90), "A", true);
      break;
    case Art::Combo:
      Label(p, t, LTRB(49, 50, 200, 66), w.modifier);
      DropBox(p, t, LTRB(49, 69, 132, 85));
      Label(p, t, LTRB(50, 101, 200, 117), w.key1);
      Well(p, LTRB(50, 120, 131, 134), t);
      Label(p, t, LTRB(50, 151, 200, 167), w.key2);
      Well(p, LTRB(50, 170, 131, 184), t);
      Keycap(p, t, QRectF(170, 96, 64, 56), "Ctrl", false);
      Text(p, LTRB(234, 96, 254, 146), "+", 20, t.accent, Qt::AlignCenter, true);
      Keycap(p, t, QRectF(256, 96, 52, 56), "C", true);
      break;
    case Art::Fire:
      Label(p, t, LTRB(49, 50, 200, 66), w.key);
      DropBox(p, t, LTRB(49, 69, 132, 85));
      Well(p, LTRB(50, 120, 131, 134), t);
      Well(p, LTRB(50, 170, 131, 184), t);
      Crosshair(p, t, QPointF(280, 118), 48);
      break;
    case Art::Delay:
      Well(p, LTRB(74, 129, 150, 143), t);
      Stopwatch(p, t, QPointF(292, 128), 44);
      break;
    case Art::Media:
      Label(p, t, LTRB(42, 108, 200, 124), w.function);
      DropBox(p, t, LTRB(42, 128, 151, 144));
      MediaGlyph(p, t, QPointF(284, 126));
      break;
    case Art::Windows:
      Label(p, t, LTRB(42, 108, 200, 124), w.function);
      DropBox(p, t, LTRB(42, 128, 151, 144));
      WindowsGlyph(p, t, QPointF(284, 126));
      break;
    case Art::Macro:
      DropBox(p, t, LTRB(42, 128, 151, 144));
      p.setPen(QPen(QColor(t.edgeDark.red(), t.edgeDark.green(), t.edgeDark.blue(), 150), 1));
      p.drawLine(208, 56, 208, 226);
      break;
    case Art::Skins:
      Well(p, LTRB(42, 94, 151, 110), t);
      DropBox(p, t, LTRB(42, 128, 151, 144));
      PaletteGlyph(p, t, QPointF(284, 136));
      break;
  }
}

// The palette inside the content panel: the dialog's own panel colours, and
// on a light skin dark wells and keys to match.
Theme ContentTheme(const Theme& t) {
  Theme c = t;
  c.panelTop = t.dialogTop;
  c.panelBottom = t.dialogBottom;
  c.labelDim = t.dialogLabel;
  if (!t.dark) {
    c.dark = true;
    c.label = QColor(230, 238, 248);
    c.buttonTop = QColor(84, 104, 132);
    c.buttonBottom = QColor(44, 58, 80);
    c.edgeDark = QColor(16, 22, 32);
    c.edgeLight = QColor(120, 144, 176);
    c.fieldBack = QColor(22, 28, 38);
    c.accent = QColor(96, 170, 255);
  }
  return c;
}

QImage Dialog(const Theme& t, Art art, const QString& title, int height, int seed, const Wording& w) {
  QImage img = NewImage(380, height);
  QPainter p;
  BeginPainter(p, img);
  // The Skins dialog draws its prompt in the UI text colour, unlike the
  // other dialogs' fixed white texts: a light skin keeps its own light panel
  // there (with the dark wells of the content).
  const bool ownPanel = art == Art::Skins && !t.dark;
  Frame(p, t, title, img.deviceIndependentSize().toSize(), seed, kContentPanel,
        ownPanel ? t : ContentTheme(t));
  Body(p, ContentTheme(t), art, w);
  p.end();
  return img;
}

}  // namespace

bool DrawDialogs(const Theme& t, const QString& folder) {
  using namespace corvaline;
  using Chinese = std::array<std::string_view, 2>;  // CHS, CHT
  const auto fn = [](MainText id) { return Chinese{UiText(id, UiLanguage::CHS), UiText(id, UiLanguage::CHT)}; };
  const auto named = [](AccessibleText id) {
    return Chinese{UiText(id, UiLanguage::CHS), UiText(id, UiLanguage::CHT)};
  };
  struct Sheet {
    Art art;
    std::string_view file;
    const char* english;
    Chinese chinese;
    int height;
  };
  const Sheet sheets[] = {
      {Art::Single, kSingleKeyPng, "Single Key", fn(MainText::FnSingleKey), 290},
      {Art::Combo, kComboKeyPng, "Combination Key", fn(MainText::FnComboKey), 290},
      {Art::Fire, kFireKeyPng, "Fire Key", fn(MainText::FnFireKey), 290},
      {Art::Delay, kDelayTimePng, "Delay Time", named(AccessibleText::DelayTime), 290},
      {Art::Media, kMediaKeyPng, "Multimedia Key", fn(MainText::FnMultimedia), 290},
      {Art::Windows, kWindowsKeyPng, "Windows Key", fn(MainText::FnWindows), 310},
      {Art::Macro, kMacroKeyPng, "Macro Key", fn(MainText::FnMacroKey), 290},
      {Art::Skins, kSkinsDialogPng, "Skins", named(AccessibleText::Skins), 290},
  };
  bool ok = true;
  int seed = 31;
  for (const Sheet& s : sheets) {
    for (UiLanguage lang : {UiLanguage::EN, UiLanguage::CHS, UiLanguage::CHT}) {
      const QString title = lang == UiLanguage::EN ? QString::fromLatin1(s.english)
                                                   : Words(s.chinese[lang == UiLanguage::CHS ? 0 : 1]);
      // The language's own name comes first; English is the plain file.
      const std::string file = SkinFileCandidates(s.file, lang).front();
      ok &= Save(Dialog(t, s.art, title, s.height, seed, WordingFor(lang)), folder, file, true);
    }
    ++seed;
  }
  return ok;
}

}  // namespace skingen
