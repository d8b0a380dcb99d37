// The factory state of the mouse that the delivered config.bin and str.ini carry.
#pragma once

#include <filesystem>
#include <string>

#include "core/settings/settings_block.h"

namespace corvaline::assets {

inline constexpr const char* kDefaultSkin = "Carbon";

SettingsBlock FactorySettings();

// Writes config.bin and str.ini into `folder`. Returns an empty string on
// success, else the reason.
std::string WriteDeliveredFiles(const std::filesystem::path& folder);

}  // namespace corvaline::assets
