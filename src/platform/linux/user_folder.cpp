#include <cstdlib>

#include "platform/user_folder.h"

namespace corvaline::platform {

std::filesystem::path UserSettingsBase() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return xdg;
  if (const char* home = std::getenv("HOME"); home && *home)
    return std::filesystem::path(home) / ".config";
  return {};
}

}  // namespace corvaline::platform
