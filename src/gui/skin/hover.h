// Hover feedback of the main window's picture buttons. The pointer resting on
// an element shows its "-over" image; leaving every element shows all of them
// normal again. Pure bookkeeping here: which element is highlighted and which
// ones must be redrawn, so the rules can be exercised without a window.
#pragma once

#include <QPoint>
#include <QRect>

#include <string_view>
#include <vector>

namespace corvaline {

// Which page an element belongs to; the numbers are those of the current
// page (1 Basic, 2 Advanced).
enum class HoverPage { Both = 0, Basic = 1, Advanced = 2 };

// Elements of one group exclude each other: highlighting one shows the others
// normal. Group 0 means the element stands alone.
inline constexpr int kHoverAlone = 0;
inline constexpr int kHoverGroupOkApplyCancel = 1;
inline constexpr int kHoverGroupTabs = 2;
inline constexpr int kHoverGroupMacroButtons = 3;  // New, Delete, Save
inline constexpr int kHoverGroupFunctionBoxes = 4;

struct HoverElement {
  int id = 0;
  QRect region;  // left <= x < right, top <= y < bottom; images go at its top-left
  HoverPage page = HoverPage::Both;
  int group = kHoverAlone;
  std::string_view normalImage;
  std::string_view overImage;
};

// Ids of the page elements. The window's own picture buttons come from its
// lists of controls (HoverElementsOf), with ids below these.
inline constexpr int kPageHoverFirst = 20;
enum PageHoverId : int {
  kHoverDefault = kPageHoverFirst,  // Basic page: restore the default button functions
  kHoverBox0 = 30,          // Basic page: function box i is kHoverBox0 + i, i = 0..9
  kHoverRestoreSystem = 50,  // Advanced page: restore the pointer settings
  kHoverNew,
  kHoverDelete,
  kHoverSave,
};
inline constexpr int kFunctionBoxCount = 10;

// The hover elements of the main window's pages: Default and the ten
// function boxes of the Basic page, then Restore, New, Delete and Save of
// the Advanced page.
const std::vector<HoverElement>& PageHoverElements();

// One element to draw again: by its index in the tracker's element list.
struct HoverRedraw {
  int index = -1;
  bool over = false;
};

class HoverTracker {
 public:
  // Elements are searched in this order; page elements follow the window ones.
  explicit HoverTracker(std::vector<HoverElement> elements);

  struct MoveResult {
    bool requestHover = false;         // the pointer is on an element: ask for a rest notice
    std::vector<HoverRedraw> redraws;  // the pointer left them all: these go back to normal
  };
  // Pointer moved to `point` while `page` is shown. Moving over elements
  // draws nothing; moving off them ends every highlight at once.
  MoveResult OnMove(QPoint point, int page);

  // Pointer rested at `point`: the element under it turns over (and the other
  // members of its group normal). Empty when nothing changes.
  std::vector<HoverRedraw> OnHover(QPoint point, int page);

  // Index of the first element of `page` containing the point, or -1.
  int Find(QPoint point, int page) const;
  bool IsHighlighted(int id) const;
  bool AnyHighlighted() const;
  const std::vector<HoverElement>& Elements() const { return elements_; }

 private:
  std::vector<HoverElement> elements_;
  std::vector<bool> highlighted_;
};

}  // namespace corvaline
