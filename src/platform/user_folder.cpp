#include "platform/user_folder.h"

#include <system_error>

namespace corvaline::platform {

std::filesystem::path UserDataFolder() {
  const std::filesystem::path base = UserSettingsBase();
  if (!base.empty()) return base / "corvaline";
  std::error_code ec;
  return std::filesystem::current_path(ec) / "corvaline";
}

}  // namespace corvaline::platform
