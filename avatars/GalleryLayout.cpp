#include "GalleryLayout.h"

#include <algorithm>
#include <cctype>
#include <cmath>

void CGalleryLayout::Lay(size_t items, int32_t columns) {
    if (columns <= 0) {
        const auto root = static_cast<int32_t>(std::sqrt(static_cast<double>(items)));
        columns = std::max(kMinColumns, root);
    }
    m_columns = columns;
    m_rows = static_cast<int32_t>((items + columns - 1) / columns);
    m_cells.assign(static_cast<size_t>(m_columns) * m_rows, -1);
    for (size_t i = 0; i < items; ++i) m_cells[i] = static_cast<int32_t>(i);
}

int32_t CGalleryLayout::ItemAt(int32_t column, int32_t row) const {
    if (column < 0 || row < 0 || column >= m_columns || row >= m_rows) return -1;
    return m_cells[static_cast<size_t>(row) * m_columns + column];
}

int32_t CGalleryLayout::ItemAtPoint(int32_t x, int32_t y) const {
    if (!GridRect().Contains(x, y)) return -1;
    return ItemAt((x - kMargin) / kCell, (y - kMargin) / kCell);
}

void CGalleryLayout::EmptyCellOf(int32_t item) {
    std::replace(m_cells.begin(), m_cells.end(), item, -1);
}

GalleryRect CGalleryLayout::CellRect(int32_t item) const {
    const auto found = std::find(m_cells.begin(), m_cells.end(), item);
    if (item < 0 || found == m_cells.end()) return {};
    const auto index = static_cast<int32_t>(found - m_cells.begin());
    const int32_t left = kMargin + (index % m_columns) * kCell;
    const int32_t top = kMargin + (index / m_columns) * kCell;
    return {left, top, left + kCell, top + kCell};
}

GalleryRect CGalleryLayout::GridRect() const {
    return {kMargin, kMargin, kMargin + kCell * m_columns, kMargin + kCell * m_rows};
}

GalleryRect CGalleryLayout::StatusRect() const {
    return {kMargin, kCell * m_rows + 7, kCell * m_columns + 3, kCell * m_rows + 26};
}

std::string CGalleryLayout::ItemName(const std::string& fileName) {
    std::string name = fileName;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::string ending = ".zra";
    if (name.size() >= ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
        name.resize(name.size() - ending.size());
    return name;
}

size_t CGalleryLayout::InsertPosition(const std::vector<std::string>& sorted, const std::string& name) {
    return static_cast<size_t>(std::upper_bound(sorted.begin(), sorted.end(), name) - sorted.begin());
}

void CGalleryLayout::PopupOrigin(const GalleryRect& anchor, const GalleryRect& desktop, int32_t width,
                                 int32_t height, int32_t& x, int32_t& y) {
    const int32_t above = anchor.top - desktop.top;
    const int32_t below = desktop.bottom - anchor.bottom;
    y = above >= below ? anchor.top - height : anchor.bottom;
    const int32_t left = anchor.left - desktop.left;
    const int32_t right = desktop.right - anchor.right;
    x = left >= right ? anchor.right - width : anchor.left;
}
