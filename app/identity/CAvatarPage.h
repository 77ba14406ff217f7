// The avatar column of the identity sheet: the face the local user shows,
// and Change..., which picks a new one from the stock gallery or from the
// personal library in the image library dialog. Mood pictures of a stock
// face come along with it (the same name with the letter b, c or d).
#pragma once
#include <functional>
#include <string>

#include "CDialog.h"
#include "Picture.h"

class CZrSettings;

// The four face pictures and the personal library folder, as the page
// holds them until the sheet applies them.
struct CAvatarChoice {
  std::string faces[4];
  std::string libraryFolder;
};

class CAvatarPage : public CDialog {
 public:
  static constexpr UINT kTemplateId = 106;
  static constexpr int kStockRadio = 1056;
  static constexpr int kPersonalRadio = 1057;
  static constexpr int kChangeButton = 1004;
  static constexpr int kFaceFrame = 1005;
  static constexpr UINT kDefaultFace = 481;
  static constexpr UINT kStockTitle = 447;
  static constexpr UINT kPersonalTitle = 448;

  // The colour the image library draws its cells on.
  CAvatarPage(CZrSettings& settings, COLORREF cellColour);

  // Made inside the sheet; with the avatar service the page is hidden and
  // its controls disabled.
  bool CreateIn(CWnd* sheet, bool useAvatarService);
  bool IsChanged() const { return m_changed; }
  const CAvatarChoice& Choice() const { return m_choice; }

 protected:
  void OnPaint();
  void OnChange();
  DECLARE_MESSAGE_MAP()

 private:
  void Take(bool stock, const std::string& file, const std::string& folder);

  CZrSettings& m_settings;
  COLORREF m_cellColour;
  CAvatarChoice m_choice;
  CPicture m_face;
  bool m_changed = false;
};
