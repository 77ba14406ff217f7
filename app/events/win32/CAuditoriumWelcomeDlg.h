// "Welcome to the Auditorium": the event's announcement, with a picture
// beside it when the administrator sends one. While the picture is awaited
// its place shows a crossed frame; without picture the text takes the whole
// width. Modeless; at most one is open.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "CDialog.h"
#include "IAuditoriumEventHost.h"
#include "Picture.h"

class CAuditoriumWelcomeDlg : public CDialog {
 public:
  static constexpr UINT kTemplateId = 361;
  static constexpr int kPictureArea = 777;
  static constexpr int kText = 778;
  static constexpr int kDownloadTranscript = 3;
  static constexpr int kPictureSize = 100;

  // Closes an open welcome and opens a new one.
  static void Open(CWnd* parent, IAuditoriumEventHost& host, const std::string& text, bool pictureFollows);
  static void CloseOpen();
  static CAuditoriumWelcomeDlg* Current() { return s_open; }

  // The picture's bytes (GIF or BMP) arrived; bytes that do not decode
  // leave the dialog as it is.
  void SetPicture(const uint8_t* bytes, size_t length);

 protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void OnPaint();
  void OnDownloadTranscript();
  void PostNcDestroy() override;

  DECLARE_MESSAGE_MAP()

 private:
  CAuditoriumWelcomeDlg(IAuditoriumEventHost& host, std::string text, bool pictureFollows);
  void Layout();
  RECT PictureRect() const;

  static CAuditoriumWelcomeDlg* s_open;
  IAuditoriumEventHost& m_host;
  std::string m_text;
  bool m_pictureFollows;
  std::unique_ptr<CPicture> m_picture;
  RECT m_textHome{};
};
