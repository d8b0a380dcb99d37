// Which named profile the mouse holds: the one rule the window's status
// line, the tray's Profiles menu and the automatic switch all ask, so that
// they cannot name different profiles. A profile is on the mouse only while
// its settings are the last ones this program sent to it. Loading a profile
// into the program is not sending it (without a mouse nothing goes out), and
// the mouse's arrival sends nothing either: a mouse that comes back holds
// what it held when it went.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/settings_block.h"

namespace corvaline {

class ProfileOnMouse {
 public:
  // At start: the mouse is taken to hold the settings the file has, which
  // the last run sent with its last Apply; no profile is named for them.
  void AssumeHeld(const SettingsBlock& block);

  // An OK or Apply that sent something (one that sent nothing changes
  // nothing). When everything went, the mouse holds `block`: under the name
  // `profile` when one is given (a profile's load, an automatic switch), and
  // still under the name it had when the settings are the same again. A send
  // cut short leaves the mouse's settings unknown.
  void NoteSent(const SettingsBlock& block, bool complete, std::string_view profile = {});

  // `block` is the settings of `profile` (just saved, or found to be the
  // rule's profile): when the mouse holds them, it holds that profile.
  void NameIfHeld(const SettingsBlock& block, std::string_view profile);

  // Another program changed the settings: what, if anything, it sent is not known.
  void Forget();

  // The profiles that exist now: a profile deleted while on the mouse names
  // nothing any more. The mouse still holds its settings, under no name.
  void KeepNameOnlyAmong(const std::vector<std::string>& profiles);

  // The named profile on the mouse; empty: none, or not known.
  const std::string& Name() const { return name_; }
  // The mouse holds these settings already: sending them changes nothing.
  bool Holds(const SettingsBlock& block) const;

 private:
  std::optional<SettingsBlock> held_;
  std::string name_;
};

}  // namespace corvaline
