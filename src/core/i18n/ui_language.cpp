#include "core/i18n/ui_language.h"

#include <atomic>

#include "core/i18n/ui_strings.h"

namespace corvaline {
namespace {

// Set once by the GUI thread at start; the reader thread may read it while
// composing a balloon text, hence atomic.
std::atomic<UiLanguage> g_language{UiLanguage::EN};

}  // namespace

UiLanguage LanguageFromCode(std::string_view code) {
  if (code == "CHS") return UiLanguage::CHS;
  if (code == "CHT") return UiLanguage::CHT;
  return UiLanguage::EN;
}

std::string_view ItemSectionName(UiLanguage lang) { return UiText(MainText::ItemSection, lang); }

UiLanguage CurrentLanguage() { return g_language.load(std::memory_order_relaxed); }

void SetCurrentLanguage(UiLanguage lang) { g_language.store(lang, std::memory_order_relaxed); }

}  // namespace corvaline
