// corvaline-dialog-shots OUTDIR SKINFOLDER [EN|CHS|CHT]
// Opens every sub-dialog of the program over the given skin, in the given
// language, each in a typical state (a key captured, a list open, a value
// typed), and saves a picture of each into OUTDIR as dialog-<name>-<lang>.png.
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>

#include "core/i18n/ui_language.h"
#include "gui/dialogs/combo_dialog.h"
#include "gui/dialogs/delay_time_dialog.h"
#include "gui/dialogs/fire_key_dialog.h"
#include "gui/dialogs/media_dialog.h"
#include "gui/dialogs/single_dialog.h"
#include "gui/dialogs/windows_dialog.h"
#include "gui/dialogs/macro_dialog.h"
#include "gui/skin/child_colours.h"
#include "gui/skin/skin_state.h"
#include "gui/dialogs/skins_dialog.h"
#include "platform/durable_io.h"

namespace {

using namespace corvaline;
using namespace corvaline::gui;

constexpr quint32 kXkbA = 38;  // the key labelled A on a US keyboard

void Settle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

bool Shoot(SkinnedDialog& dialog, const QString& path, const std::function<void()>& prepare) {
  dialog.show();
  Settle(150);
  if (prepare) prepare();
  Settle(300);
  const bool saved = dialog.grab().save(path);
  std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(path));
  dialog.reject();
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  corvaline::platform::InstallSystemDurableIo();
  if (argc < 3) {
    std::fprintf(stderr, "usage: corvaline-dialog-shots OUTDIR SKINFOLDER [EN|CHS|CHT]\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  const QString skin = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
  const std::string code = argc > 3 ? argv[3] : "EN";
  SetCurrentLanguage(LanguageFromCode(code));
  SetSkinFolder(skin);
  SetSkinName(QDir(skin).dirName());
  // The colours the skin declares, as after choosing it in the Skins dialog;
  // white (the delivered str.ini's) for a skin that declares none.
  const SkinColours& declared = LoadSkinColours(skin);
  SetTextColour(declared.text ? ToQColor(*declared.text) : QColor(Qt::white));
  QDir().mkpath(out);
  const QString suffix = "-" + QString::fromStdString(code) + ".png";
  auto name = [&](const char* dialog) { return out + "/dialog-" + dialog + suffix; };

  QTemporaryDir scratch;
  const std::filesystem::path recordIni = scratch.path().toStdString() + "/record.ini";
  std::ofstream(recordIni) << "[Reload]\nItemCount=0\n[Jump shot]\nItemCount=0\n[Build]\nItemCount=0\n";

  bool ok = true;
  {
    CSingleDialog d;
    ok &= Shoot(d, name("single-key"), [&] {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, kXkbA, 0, 0);
      QApplication::sendEvent(&d, &press);
    });
  }
  {
    CComboDialog d;
    ok &= Shoot(d, name("combo-key"), [&] { d.ClickAt(QPoint(120, 77)); });
  }
  {
    CFireKeyDialog d;
    ok &= Shoot(d, name("fire-key"), nullptr);
  }
  {
    CFireKeyDialog d;
    ok &= Shoot(d, name("fire-key-list"), [&] { d.ClickAt(QPoint(120, 77)); });
  }
  {
    CMediaDialog d;
    ok &= Shoot(d, name("media-key"), [&] { d.ClickAt(QPoint(145, 136)); });
  }
  {
    CWindowsDialog d;
    ok &= Shoot(d, name("windows-key"), [&] { d.ClickAt(QPoint(145, 136)); });
  }
  {
    CDelayTimeDialog d;
    ok &= Shoot(d, name("delay-time"), [&] { d.DelayField()->setText(QStringLiteral("250")); });
  }
  {
    CMacroDialog d(recordIni);
    ok &= Shoot(d, name("macro-key"), [&] { d.ClickAt(QPoint(145, 136)); });
  }
  {
    CSkinsDialog d(QFileInfo(skin).absolutePath());
    ok &= Shoot(d, name("skins"), [&] { d.ClickAt(QPoint(145, 136)); });
  }
  return ok ? 0 : 1;
}
