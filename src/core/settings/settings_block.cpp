#include "core/settings/settings_block.h"

namespace corvaline {

SettingsStore& Settings() {
  static SettingsStore store;
  return store;
}

void TakeSnapshot(SettingsStore& store) { store.savedSettings = store.settings; }

void RestoreSnapshot(SettingsStore& store) { store.settings = store.savedSettings; }

}  // namespace corvaline
