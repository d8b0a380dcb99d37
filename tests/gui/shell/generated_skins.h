// The skins this build drew, for the tests that look at every one of them.
#pragma once

#include <QString>

namespace corvaline::gui::testing {

inline const QString kSkins = QStringLiteral(CORVALINE_GENERATED_DATA_DIR "/Skins");

}  // namespace corvaline::gui::testing
