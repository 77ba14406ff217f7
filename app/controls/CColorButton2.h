// An owner-drawn push button that shows an avatar's still picture (or the
// default avatar picture) as a small square on a solid face.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "CButton.h"
#include "CRedrawListEntry.h"

class CDC;
class CPicture;

class CColorButton2 : public CButton {
 public:
  CColorButton2();
  ~CColorButton2() override;

  // Shows the still picture of the avatar file `file` in folder under the
  // given name; an empty name, or a file that cannot be read, shows the
  // default picture and leaves the name empty.
  void SetPicture(const std::string& name, const std::string& file, const std::string& folder);
  std::string GetPictureName() const { return m_pictureName; }
  bool HasPictureName() const { return !m_pictureName.empty(); }
  void DrawItem(LPDRAWITEMSTRUCT item) override;

 protected:
  void OnDestroy();
  DECLARE_MESSAGE_MAP()

 private:
  bool LoadAvatarStill(const std::string& file, const std::string& folder);
  void DrawFace(CDC& dc, const DRAWITEMSTRUCT& item);

  std::string m_pictureName;
  COLORREF m_faceColour;
  std::unique_ptr<CPicture> m_picture;
  std::unique_ptr<CPicture> m_disabledPicture;
  CRedrawListEntry m_redrawEntry;
};
