// The columns of the item list's header without the window: captions,
// widths and rectangles, the sort key, and the press state of a click.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ListColumn {
  int32_t key = 0;
  std::string text;  // two blanks, caption, two blanks
  int32_t width = 0;  // pixel extent of the text + 3
  int32_t left = 0, top = 0, right = 0, bottom = 0;
  int32_t pad = 0;  // pixel extent of two blanks
  int32_t state = 1;  // 1 raised, 0 pressed
};

class ListHeaderModel {
 public:
  static std::string PaddedCaption(const std::string& caption);

  // Appends a column; textExtent is the pixel extent of its padded caption.
  void Add(int32_t key, const std::string& caption, int32_t textExtent, int32_t padExtent);
  const std::vector<ListColumn>& Columns() const { return m_columns; }
  // The column of a key, null when unknown.
  const ListColumn* Find(int32_t key) const;

  // Lays the columns out from the left over a header of the given size; the
  // last column reaches the right edge.
  void Layout(int32_t width, int32_t height);
  // The column under x in header coordinates (the list's horizontal position
  // added by the caller), -1 when none.
  int32_t ColumnAt(int32_t x) const;

  int32_t SortKey() const { return m_sortKey; }
  // Makes key the sort key; false when it already is.
  bool Choose(int32_t key);

  // A click: press a column, follow the cursor in or out of it, release.
  // Each returns true when the column's drawn state changed.
  bool Press(int32_t column);
  bool Track(bool inside);
  // Ends the click; the column to sort by (its index) when released over
  // it, else -1.
  int32_t Release(bool inside);
  int32_t Pressed() const { return m_pressed; }

 private:
  std::vector<ListColumn> m_columns;
  int32_t m_sortKey = -1;
  int32_t m_pressed = -1;
};
