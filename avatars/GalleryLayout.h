// The geometry of the avatar gallery: a grid of 23 x 23 pixel cells from
// (4, 4), at least four columns, with a status line under it; which item a
// point falls on; the sorted order of the items; and where the popup goes
// beside the button that opened it.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct GalleryRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    bool Contains(int32_t x, int32_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
    bool operator==(const GalleryRect& other) const {
        return left == other.left && top == other.top && right == other.right &&
               bottom == other.bottom;
    }
};

class CGalleryLayout {
public:
    static constexpr int32_t kCell = 23;
    static constexpr int32_t kMargin = 4;
    static constexpr int32_t kMinColumns = 4;
    static constexpr int32_t kThumb = 20;

    // columns 0 chooses them: the larger of 4 and the square root of the
    // item count.
    void Lay(size_t items, int32_t columns = 0);

    int32_t Columns() const { return m_columns; }
    int32_t Rows() const { return m_rows; }
    // Item index of cell (column, row), -1 for an empty or outside cell.
    int32_t ItemAt(int32_t column, int32_t row) const;
    // Item under a client point, -1 outside the grid or on an empty cell.
    int32_t ItemAtPoint(int32_t x, int32_t y) const;
    // A cell stops showing its item (its file did not load).
    void EmptyCellOf(int32_t item);
    // The cell of an item, in client coordinates; empty when not shown.
    GalleryRect CellRect(int32_t item) const;

    GalleryRect GridRect() const;
    GalleryRect StatusRect() const;
    // Outer size with a border of borderWidth on each side.
    int32_t WindowWidth(int32_t borderWidth) const { return kCell * m_columns + 8 + 2 * borderWidth; }
    int32_t WindowHeight(int32_t borderHeight) const { return kCell * m_rows + 31 + 2 * borderHeight; }

    // The item name of a file name: lower case, without its ".zra" ending.
    static std::string ItemName(const std::string& fileName);
    // Where a new name goes among sorted names: before the first one that
    // compares greater byte by byte.
    static size_t InsertPosition(const std::vector<std::string>& sorted, const std::string& name);
    // Top-left corner of a popup of the given size beside the anchor: below
    // it unless there is at least as much room above, left-aligned unless
    // there is at least as much room to the left.
    static void PopupOrigin(const GalleryRect& anchor, const GalleryRect& desktop, int32_t width,
                            int32_t height, int32_t& x, int32_t& y);

private:
    int32_t m_columns = kMinColumns;
    int32_t m_rows = 0;
    std::vector<int32_t> m_cells;
};
