// Another program saved config.bin while the user edited: the user's edits
// go over the other program's save field by field, so an Apply of a new
// report rate does not undo someone else's new DPI level.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/settings/settings_block.h"

namespace corvaline {

struct BlockMerge {
  SettingsBlock merged{};
  // Fields both sides changed, to different values ("report rate",
  // "button 4 of Mode A"); the merged block holds the user's value there.
  std::vector<std::string> conflicts;
  // Button slots (group, slot) whose function came from the other program:
  // their captions must come from its save too.
  std::vector<std::pair<int, int>> theirButtons;
};

// Three-way merge of whole fields: a field only the user changed (mine
// against base) takes the user's value, one only the other program changed
// (theirs against base) takes theirs.
BlockMerge MergeBlocks(const SettingsBlock& base, const SettingsBlock& mine,
                       const SettingsBlock& theirs);

}  // namespace corvaline
