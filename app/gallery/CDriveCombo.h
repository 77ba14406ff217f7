// The drive selector of the image library: an owner-drawn drop-down list of
// the machine's drives, each shown with the icon of its type and its letter.
#pragma once
#include <string>
#include <vector>

#include "CWnd.h"

class CDriveCombo : public CWnd {
 public:
  // The hidden list box that reads the platform's drive listing.
  static constexpr int kListingId = 154;

  CDriveCombo() = default;

  // Fills the selector from the drives of the machine (lower-case letters,
  // in listing order).
  void Fill(CWnd* dialog);
  // Selects the drive with that letter; false when the machine has none.
  bool Select(char letter);

  // The letter of the selected drive; 0 when none is.
  char SelectedLetter() const;

  void DrawItem(LPDRAWITEMSTRUCT item);
  void MeasureItem(LPMEASUREITEMSTRUCT item);

 protected:
  DECLARE_MESSAGE_MAP()

 private:
  static std::vector<char> ListDrives(CWnd* dialog);

  std::vector<std::string> m_texts;
};
