#include "gui/skin/hover.h"

#include <algorithm>

#include "gui/skin/skin_files.h"
#include "gui/skin/skin_text.h"

namespace corvaline {

const std::vector<HoverElement>& PageHoverElements() {
  static const std::vector<HoverElement> elements = [] {
    std::vector<HoverElement> all;
    all.push_back({kHoverDefault, RectLTRB(307, 549, 412, 570), HoverPage::Basic, kHoverAlone,
                   kButtonNormalPng, kButtonOverPng});
    for (int i = 0; i < kFunctionBoxCount; ++i) {
      all.push_back({kHoverBox0 + i, RectLTRB(252, 199 + 23 * i, 463, 220 + 23 * i), HoverPage::Basic,
                     kHoverGroupFunctionBoxes, kDropdownNormalPng, kDropdownOverPng});
    }
    all.push_back({kHoverRestoreSystem, RectLTRB(38, 584, 143, 605), HoverPage::Advanced, kHoverAlone,
                   kButtonNormalPng, kButtonOverPng});
    const int lefts[] = {513, 617, 721};
    const int ids[] = {kHoverNew, kHoverDelete, kHoverSave};
    for (int i = 0; i < 3; ++i) {
      all.push_back({ids[i], RectLTRB(lefts[i], 528, lefts[i] + 105, 549), HoverPage::Advanced,
                     kHoverGroupMacroButtons, kButtonNormalPng, kButtonOverPng});
    }
    return all;
  }();
  return elements;
}

HoverTracker::HoverTracker(std::vector<HoverElement> elements)
    : elements_(std::move(elements)), highlighted_(elements_.size(), false) {}

int HoverTracker::Find(QPoint point, int page) const {
  for (size_t i = 0; i < elements_.size(); ++i) {
    const HoverElement& e = elements_[i];
    if (e.page != HoverPage::Both && static_cast<int>(e.page) != page) continue;
    if (e.region.contains(point)) return static_cast<int>(i);
  }
  return -1;
}

HoverTracker::MoveResult HoverTracker::OnMove(QPoint point, int page) {
  MoveResult result;
  if (Find(point, page) >= 0) {
    result.requestHover = true;
    return result;
  }
  for (size_t i = 0; i < elements_.size(); ++i) {
    if (!highlighted_[i]) continue;
    highlighted_[i] = false;
    result.redraws.push_back({static_cast<int>(i), false});
  }
  return result;
}

std::vector<HoverRedraw> HoverTracker::OnHover(QPoint point, int page) {
  std::vector<HoverRedraw> redraws;
  const int hit = Find(point, page);
  if (hit < 0 || highlighted_[hit]) return redraws;
  const int group = elements_[hit].group;
  if (group != kHoverAlone) {
    for (size_t i = 0; i < elements_.size(); ++i) {
      if (static_cast<int>(i) == hit || elements_[i].group != group || !highlighted_[i]) continue;
      highlighted_[i] = false;
      redraws.push_back({static_cast<int>(i), false});
    }
  }
  highlighted_[hit] = true;
  redraws.push_back({hit, true});
  return redraws;
}

bool HoverTracker::IsHighlighted(int id) const {
  for (size_t i = 0; i < elements_.size(); ++i) {
    if (elements_[i].id == id && highlighted_[i]) return true;
  }
  return false;
}

bool HoverTracker::AnyHighlighted() const {
  return std::find(highlighted_.begin(), highlighted_.end(), true) != highlighted_.end();
}

}  // namespace corvaline
