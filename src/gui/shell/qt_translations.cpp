#include "gui/shell/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace corvaline::gui {

std::unique_ptr<QTranslator> InstallQtTranslations(UiLanguage lang) {
  if (lang == UiLanguage::EN) return nullptr;
  const QString locale = lang == UiLanguage::CHS ? QStringLiteral("zh_CN") : QStringLiteral("zh_TW");
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_") + locale,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator.get()))
    return nullptr;
  return translator;
}

}  // namespace corvaline::gui
