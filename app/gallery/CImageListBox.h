// The thumbnails of the image library: an owner-drawn list of several
// columns and two rows, one cell a picture of the shown folder that fits the
// cell (or has exactly the reference picture's size).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "CListBox.h"
#include "ImageLibraryRules.h"
#include "Picture.h"

class CImageListBox : public CListBox {
 public:
  static constexpr int kCellPadding = 4;
  static constexpr int kRows = 2;
  static constexpr int kMinColumns = 2;

  CImageListBox(const ImageCell& cell, const CPicture* reference, bool avatarFilesOnly, COLORREF background);

  // Sizes the rows and columns for the cell; called once it is attached.
  void SetUpGrid();
  // The size the grid asks for: two rows of cells, the columns that fit.
  SIZE WantedSize() const;
  // Empties the list and frees its pictures.
  void Clear();
  // Lists the pictures of folder; returns how many. The first is selected.
  int ListFolder(const std::string& folder);
  // The file name of the selected picture; empty when none is.
  std::string SelectedName() const;

  void DrawItem(LPDRAWITEMSTRUCT item) override;
  void MeasureItem(LPMEASUREITEMSTRUCT item) override;

 private:
  struct Entry {
    std::string name;
    std::unique_ptr<CPicture> picture;
  };

  void ListPattern(const std::string& folder, const std::string& pattern);
  int Columns() const;

  ImageCell m_cell;
  const CPicture* m_reference;
  bool m_avatarFilesOnly;
  COLORREF m_background;
  std::vector<Entry> m_entries;
};
