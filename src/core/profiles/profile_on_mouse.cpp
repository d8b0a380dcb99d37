#include "core/profiles/profile_on_mouse.h"

#include <algorithm>
#include <cstring>

namespace corvaline {

void ProfileOnMouse::AssumeHeld(const SettingsBlock& block) {
  held_ = block;
  name_.clear();
}

void ProfileOnMouse::NoteSent(const SettingsBlock& block, bool complete, std::string_view profile) {
  if (!complete) {
    Forget();
    return;
  }
  if (!profile.empty())
    name_ = profile;
  else if (!Holds(block))
    name_.clear();
  held_ = block;
}

void ProfileOnMouse::NameIfHeld(const SettingsBlock& block, std::string_view profile) {
  if (Holds(block)) name_ = profile;
}

void ProfileOnMouse::Forget() {
  held_.reset();
  name_.clear();
}

void ProfileOnMouse::KeepNameOnlyAmong(const std::vector<std::string>& profiles) {
  if (std::find(profiles.begin(), profiles.end(), name_) == profiles.end()) name_.clear();
}

bool ProfileOnMouse::Holds(const SettingsBlock& block) const {
  return held_ && std::memcmp(&*held_, &block, sizeof block) == 0;
}

}  // namespace corvaline
