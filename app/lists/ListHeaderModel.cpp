#include "ListHeaderModel.h"

std::string ListHeaderModel::PaddedCaption(const std::string& caption) {
  return "  " + caption + "  ";
}

void ListHeaderModel::Add(int32_t key, const std::string& caption, int32_t textExtent,
                          int32_t padExtent) {
  ListColumn column;
  column.key = key;
  column.text = PaddedCaption(caption);
  column.width = textExtent + 3;
  column.pad = padExtent;
  m_columns.push_back(column);
}

const ListColumn* ListHeaderModel::Find(int32_t key) const {
  for (const auto& column : m_columns) {
    if (column.key == key) {
      return &column;
    }
  }
  return nullptr;
}

void ListHeaderModel::Layout(int32_t width, int32_t height) {
  int32_t left = 0;
  for (auto& column : m_columns) {
    column.left = left;
    column.top = 0;
    column.right = left + column.width;
    column.bottom = height;
    left = column.right;
  }
  if (!m_columns.empty() && m_columns.back().right < width) {
    m_columns.back().right = width;
  }
}

int32_t ListHeaderModel::ColumnAt(int32_t x) const {
  for (size_t i = 0; i < m_columns.size(); ++i) {
    if (x >= m_columns[i].left && x < m_columns[i].right) {
      return static_cast<int32_t>(i);
    }
  }
  return -1;
}

bool ListHeaderModel::Choose(int32_t key) {
  if (key == m_sortKey) {
    return false;
  }
  m_sortKey = key;
  return true;
}

bool ListHeaderModel::Press(int32_t column) {
  if (column < 0 || column >= static_cast<int32_t>(m_columns.size())) {
    return false;
  }
  m_pressed = column;
  m_columns[static_cast<size_t>(column)].state = 0;
  return true;
}

bool ListHeaderModel::Track(bool inside) {
  if (m_pressed < 0) {
    return false;
  }
  int32_t wanted = inside ? 0 : 1;
  int32_t& state = m_columns[static_cast<size_t>(m_pressed)].state;
  if (state == wanted) {
    return false;
  }
  state = wanted;
  return true;
}

int32_t ListHeaderModel::Release(bool inside) {
  int32_t column = m_pressed;
  if (column < 0) {
    return -1;
  }
  m_columns[static_cast<size_t>(column)].state = 1;
  m_pressed = -1;
  return inside ? column : -1;
}
