// Qt's own dialogs and buttons (the colour chooser, the message boxes' OK,
// Cancel, Yes, No) in the UI language, from the translations Qt ships
// (Debian: qt6-translations-l10n).
#pragma once

#include <QTranslator>

#include <memory>

#include "core/i18n/ui_language.h"

namespace corvaline::gui {

// Loads and installs Qt's translation for the language ("qtbase_zh_CN" for
// CHS, "qtbase_zh_TW" for CHT); English needs none. The translation stays
// installed while the returned object lives; null when there is none to load
// (English, or the files are not installed: Qt's texts then stay English).
std::unique_ptr<QTranslator> InstallQtTranslations(UiLanguage lang);

}  // namespace corvaline::gui
