#include "ItemListModel.h"

#include <algorithm>
#include <utility>

namespace {
// One sort at a time in the program: a compare operation that adds to or
// sorts a list must not start another sort.
bool g_sorting = false;
}  // namespace

ItemListModel::ItemListModel(Compare compare) : m_compare(std::move(compare)) {}

ItemRecord* ItemListModel::Record(int32_t index) const {
  if (index < 0 || index >= Count()) {
    return nullptr;
  }
  return m_rows[static_cast<size_t>(index)].get();
}

void* ItemListModel::Object(int32_t index) const {
  ItemRecord* record = Record(index);
  return record ? record->object : nullptr;
}

int32_t ItemListModel::InsertPosition(void* object) const {
  int32_t count = Count();
  if (count == 0) {
    return 0;
  }
  int32_t lo = 0;
  int32_t hi = count;
  int32_t mid = count / 2;
  for (;;) {
    int32_t c = m_compare(m_sortKey, object, Object(mid));
    if (c == 0) {
      break;
    }
    if (c < 0) {
      hi = mid;
    } else {
      lo = mid;
    }
    int32_t next = lo + (hi - lo) / 2;
    if (next == mid) {
      break;
    }
    mid = next;
  }
  if (m_compare(m_sortKey, object, Object(mid)) > 0) {
    ++mid;
  }
  return mid;
}

int32_t ItemListModel::Insert(void* object) {
  int32_t index = InsertPosition(object);
  auto record = std::make_unique<ItemRecord>();
  record->object = object;
  m_rows.insert(m_rows.begin() + index, std::move(record));
  return index;
}

std::unique_ptr<ItemRecord> ItemListModel::Remove(int32_t index) {
  if (!Record(index)) {
    return nullptr;
  }
  auto record = std::move(m_rows[static_cast<size_t>(index)]);
  m_rows.erase(m_rows.begin() + index);
  return record;
}

bool ItemListModel::Sort() {
  if (m_rows.empty() || g_sorting) {
    return false;
  }
  g_sorting = true;
  // A merge sort stays inside the array even when a compare operation is
  // not consistent.
  std::stable_sort(m_rows.begin(), m_rows.end(), [this](const auto& a, const auto& b) {
    return m_compare(m_sortKey, a->object, b->object) < 0;
  });
  g_sorting = false;
  return true;
}

int32_t ItemListModel::Selected() const {
  for (int32_t i = Count() - 1; i >= 0; --i) {
    if (m_rows[static_cast<size_t>(i)]->selected) {
      return i;
    }
  }
  return -1;
}

ItemListModel::Selection ItemListModel::Select(int32_t index, const MaySelect& maySelect) {
  Selection change;
  ItemRecord* record = Record(index);
  if (!record) {
    return change;
  }
  int32_t previous = Selected();
  change.result = previous;
  if (previous == index) {
    change.result = index;
    return change;
  }
  if ((record->flags & kFlagInert) || (maySelect && !maySelect(index))) {
    return change;
  }
  if (previous >= 0) {
    Record(previous)->selected = 0;
    change.unflagged = previous;
  }
  record->selected = 1;
  change.flagged = index;
  return change;
}

bool ItemListModel::Widen(int32_t width) {
  if (width <= m_widest) {
    return false;
  }
  m_widest = width;
  return true;
}

void ItemListModel::RecomputeWidest() {
  m_widest = 0;
  for (const auto& row : m_rows) {
    m_widest = std::max(m_widest, row->width);
  }
}

int32_t ItemListModel::HitTest(int32_t y, int32_t rowsTop, int32_t rowHeight, int32_t visibleRows,
                               int32_t topRow, int32_t count) {
  if (y < rowsTop || rowHeight <= 0) {
    return -1;
  }
  int32_t row = (y - rowsTop) / rowHeight;
  if (row >= visibleRows || topRow + row >= count) {
    return -1;
  }
  return topRow + row;
}
