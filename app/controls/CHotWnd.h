// A clickable picture window with four pictures: up (state 0), down (1), a
// third state (2) and disabled (3). It follows the mouse itself and posts
// its command when a press is released over it.
#pragma once
#include <windows.h>

#include <array>
#include <cstdint>
#include <memory>

#include "CRedrawListEntry.h"
#include "CWnd.h"
#include "MessageMap.h"

class CPicture;

class CHotWnd : public CWnd {
 public:
  enum State : int { kUp = 0, kDown = 1, kThird = 2, kDisabled = 3 };
  static constexpr size_t kStateCount = 4;

  CHotWnd();
  ~CHotWnd() override;

  // 0 when unchanged; else shows the new state at once and returns 1.
  virtual int SetState(int state);
  virtual int GetState() const { return m_state; }
  // Enabling leaves the disabled state, disabling enters it; returns what
  // SetState returned, else 0.
  virtual int Enable(bool enable);
  // Posts the command to the main window (no control handle), then to the
  // parent (with this window's handle).
  virtual void OnClicked();
  // A visible child with the command id as its child id; transparent asks
  // for the transparent extended style. userValue is kept for the owner.
  virtual bool Create(CWnd* parent, int left, int top, int right, int bottom, uint16_t commandId,
                      bool transparent, uint32_t userValue);
  // Pictures by resource name; a null name frees that picture. 0 without a
  // window, when all names are null, or when a load fails (then every
  // picture is freed); else 1.
  virtual int SetPictures(const char* up, const char* down, const char* third,
                          const char* disabled);
  // SetPictures by 16-bit resource id; id 0 is a null name.
  virtual int SetPicturesById(uint16_t up, uint16_t down, uint16_t third, uint16_t disabled);
  // As SetPictures, but a null name keeps that picture; shows the window.
  virtual int UpdatePictures(const char* up, const char* down, const char* third,
                             const char* disabled);

  // Whether the picture of state is loaded.
  bool HasPicture(int state) const;
  uint16_t GetCommandId() const { return m_commandId; }
  uint32_t GetUserValue() const { return m_userValue; }

 protected:
  int OnCreate(LPCREATESTRUCT create);
  void OnDestroy();
  void OnPaint();
  void OnLButtonDown(UINT flags, POINT point);
  void OnMouseMove(UINT flags, POINT point);
  void OnLButtonUp(UINT flags, POINT point);
  DECLARE_MESSAGE_MAP()

 private:
  using Pictures = std::array<std::unique_ptr<CPicture>, kStateCount>;
  using Names = std::array<const char*, kStateCount>;
  // Loads the given names into pictures; a null name leaves its slot alone
  // or, with freeMissing, frees it. False when any load failed.
  bool LoadPictures(const Names& names, bool freeMissing);
  bool IsOverWindow(POINT clientPoint) const;
  void Repaint();

  uint16_t m_commandId = 0;
  Pictures m_pictures;
  int m_state = kUp;
  bool m_tracking = false;
  bool m_captured = false;
  uint32_t m_userValue = 0;
  CRedrawListEntry m_redrawEntry;
};
