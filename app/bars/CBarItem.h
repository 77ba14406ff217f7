// One item of a bar: a rectangle in the bar's client area with a command id,
// the tip shown while the mouse rests on it, a value for the bar's owner and
// its own drawing.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

class CDC;

class CBarItem {
 public:
  CBarItem() = default;
  virtual ~CBarItem() = default;
  CBarItem(const CBarItem&) = delete;
  CBarItem& operator=(const CBarItem&) = delete;

  virtual void Offset(int dx);
  virtual bool HitTest(int x, int y) const;
  virtual void Draw(CDC* dc);
  // The mouse shows the link cursor over the item.
  virtual bool IsLink() const { return false; }
  // Where the tip goes, in bar client coordinates.
  virtual POINT GetTipPoint() const;

  // Stores id and the tip of its string (the part after the first line
  // break of the command's prompt); id 0 is ignored.
  void SetId(UINT id);
  void SetTipText(const std::string& text) { m_tip = text; }

  UINT GetId() const { return m_id; }
  const std::string& GetTipText() const { return m_tip; }
  uint32_t GetData() const { return m_data; }
  void SetData(uint32_t data) { m_data = data; }
  const RECT& GetRect() const { return m_rect; }

 protected:
  RECT m_rect{0, 0, 0, 0};
  UINT m_id = 0;
  std::string m_tip;
  uint32_t m_data = 0;
};
