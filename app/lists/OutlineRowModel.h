// The outline list's row arithmetic without the window: which row is
// selected, what a selection changes, which row a point hits and what a
// click on the expand image does.
#pragma once
#include <cstdint>
#include <vector>

class COutlineNode;

class OutlineRowModel {
 public:
  // What SelectRow did: its result and the rows that lost and gained the
  // flag (-1 when none).
  struct Selection {
    int32_t result = -1;
    int32_t unflagged = -1;
    int32_t flagged = -1;
  };
  enum class Toggle { kNotOnImage, kNone, kExpanded, kCollapsed };

  // Takes a new row array; the selected row becomes the last flagged one.
  void SetRows(const std::vector<COutlineNode*>& rows);
  int32_t Count() const { return static_cast<int32_t>(m_rows.size()); }
  COutlineNode* Node(int32_t row) const;
  int32_t IndexOf(const COutlineNode* node) const;
  int32_t SelectedRow() const { return m_selected; }

  // Selects row unless it is out of range, disabled or refused by
  // maySelect (called only when the row would change).
  template <class MaySelect>
  Selection Select(int32_t row, MaySelect maySelect) {
    Selection change;
    COutlineNode* node = Node(row);
    if (!node || IsDisabled(node)) {
      return change;
    }
    change.result = m_selected;
    if (row == m_selected) {
      return change;
    }
    if (!maySelect(row)) {
      return change;
    }
    Flag(row, change);
    return change;
  }

  // Row under y, -1 outside the rows (also on the border above them).
  int32_t HitTest(int32_t y, int32_t borderInset, int32_t rowHeight, int32_t topRow) const;
  // A press at x on node. On the expand image (the node has one and x lies
  // strictly between imageLeft and textIndent) it toggles the node unless
  // the node is always expanded (kNone); elsewhere kNotOnImage.
  static Toggle PressImage(COutlineNode* node, int32_t x, int32_t imageLeft, int32_t textIndent);
  // The top row that shows row: unchanged when visible, else row at the
  // bottom (below) or at the top (above).
  static int32_t TopRowShowing(int32_t row, int32_t topRow, int32_t visibleRows);

 private:
  static bool IsDisabled(const COutlineNode* node);
  void Flag(int32_t row, Selection& change);

  std::vector<COutlineNode*> m_rows;
  int32_t m_selected = -1;
};
