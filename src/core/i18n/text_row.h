// One row of a text table: a text in the three languages, tagged with the id
// it belongs to so that a table whose rows drift out of enum order fails to
// compile.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "core/i18n/ui_language.h"

namespace corvaline::i18n_detail {

template <typename Id>
struct TextRow {
  Id id;
  std::string_view en;
  std::string_view chs;
  std::string_view cht;

  constexpr std::string_view In(UiLanguage lang) const {
    switch (lang) {
      case UiLanguage::CHS: return chs;
      case UiLanguage::CHT: return cht;
      case UiLanguage::EN: break;
    }
    return en;
  }
};

// True when every row sits at the position of its id and all ids are present.
template <typename Id, std::size_t N>
constexpr bool RowsInOrder(const std::array<TextRow<Id>, N>& rows) {
  if (N != static_cast<std::size_t>(Id::Count)) return false;
  for (std::size_t i = 0; i < N; ++i) {
    if (static_cast<std::size_t>(rows[i].id) != i) return false;
  }
  return true;
}

template <typename Id, std::size_t N>
constexpr std::string_view Lookup(const std::array<TextRow<Id>, N>& rows, Id id,
                                  UiLanguage lang) {
  const auto i = static_cast<std::size_t>(id);
  if (i >= N) return {};
  return rows[i].In(lang);
}

}  // namespace corvaline::i18n_detail
