// The rows of the multi-column item list without the window: records kept in
// the order of the sort column, insertion by binary search, sorting, the
// selection rules and the row hit test.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// One row. The list owns the record, not the object.
struct ItemRecord {
  void* object = nullptr;
  int32_t selected = 0;
  int32_t width = 0;  // pixel width of the row's content
  int32_t flags = 1;
};

class ItemListModel {
 public:
  // A row with this flag bit can be neither selected nor clicked.
  static constexpr int32_t kFlagInert = 2;

  // compare(sort key, object a, object b): negative, 0 or positive.
  using Compare = std::function<int32_t(int32_t, void*, void*)>;
  using MaySelect = std::function<bool(int32_t)>;

  // What Select did: its result, and the rows that lost and gained the flag
  // (-1 when none), for the window to redraw.
  struct Selection {
    int32_t result = -1;
    int32_t unflagged = -1;
    int32_t flagged = -1;
  };

  explicit ItemListModel(Compare compare);

  int32_t Count() const { return static_cast<int32_t>(m_rows.size()); }
  // The record of a row; null outside 0 ... count - 1.
  ItemRecord* Record(int32_t index) const;
  void* Object(int32_t index) const;

  int32_t SortKey() const { return m_sortKey; }
  void SetSortKey(int32_t key) { m_sortKey = key; }

  // Where a new object goes so the rows stay in order.
  int32_t InsertPosition(void* object) const;
  // Adds a record for object at its sorted place; returns the row.
  int32_t Insert(void* object);
  // Takes a row out; null when the index is out of range.
  std::unique_ptr<ItemRecord> Remove(int32_t index);
  // Reorders the rows by the sort key. False when there is nothing to sort
  // or another list's sort is under way.
  bool Sort();

  // The last flagged row, -1 when none.
  int32_t Selected() const;
  Selection Select(int32_t index, const MaySelect& maySelect);

  int32_t Widest() const { return m_widest; }
  // Raises the widest width; true when it grew.
  bool Widen(int32_t width);
  void RecomputeWidest();

  // Row under a client y: -1 above the rows, past the whole visible rows or
  // past the last row.
  static int32_t HitTest(int32_t y, int32_t rowsTop, int32_t rowHeight, int32_t visibleRows,
                         int32_t topRow, int32_t count);

 private:
  Compare m_compare;
  std::vector<std::unique_ptr<ItemRecord>> m_rows;
  int32_t m_sortKey = -1;
  int32_t m_widest = 0;
};
