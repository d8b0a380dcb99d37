#include "core/i18n/ui_language.h"

#include <atomic>
#include <utility>

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

std::vector<std::string> SkinFileCandidates(std::string_view fileName, UiLanguage lang) {
  std::vector<std::string> names;
  const std::size_t dot = fileName.rfind('.');
  const std::size_t slash = fileName.rfind('/');
  const bool hasExtension = dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash);
  if (lang != UiLanguage::EN && hasExtension) {
    std::string variant(fileName.substr(0, dot));
    variant += lang == UiLanguage::CHS ? ".CHS" : ".CHT";
    variant += fileName.substr(dot);
    names.push_back(std::move(variant));
  }
  names.emplace_back(fileName);
  return names;
}

UiLanguage CurrentLanguage() { return g_language.load(std::memory_order_relaxed); }

void SetCurrentLanguage(UiLanguage lang) { g_language.store(lang, std::memory_order_relaxed); }

}  // namespace corvaline
