// Generates the delivered skins and the application icon at build time.
//   corvaline-skingen <skins folder> <icons folder>
// writes <skins folder>/Carbon/..., <skins folder>/Frost/... (every file a
// skin needs, at 1x and as name@2x.png at 2x) and the icon sizes into
// <icons folder>.
#include <QGuiApplication>

#include <cstdio>

#include "art.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <skins folder> <icons folder>\n", argv[0]);
    return 2;
  }
  // Drawing needs fonts but no screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString skins = QString::fromLocal8Bit(argv[1]);
  const QString icons = QString::fromLocal8Bit(argv[2]);

  bool ok = true;
  for (int scale : {1, 2}) {
    skingen::SetDrawingScale(scale);
    for (const skingen::Theme& theme : {skingen::CarbonTheme(), skingen::FrostTheme()}) {
      const QString folder = skins + "/" + theme.name;
      ok &= skingen::DrawPages(theme, folder);
      ok &= skingen::DrawControls(theme, folder);
      ok &= skingen::DrawDialogs(theme, folder);
    }
  }
  for (const skingen::Theme& theme : {skingen::CarbonTheme(), skingen::FrostTheme()})
    ok &= skingen::WriteSkinIni(theme, skins + "/" + theme.name);
  skingen::SetDrawingScale(1);
  ok &= skingen::DrawIcons(icons);
  if (!ok) {
    std::fprintf(stderr, "corvaline-skingen: could not write every image\n");
    return 1;
  }
  return 0;
}
