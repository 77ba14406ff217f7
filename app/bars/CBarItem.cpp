#include "CBarItem.h"

#include "ModuleState.h"

void CBarItem::Offset(int dx) {
  m_rect.left += dx;
  m_rect.right += dx;
}

bool CBarItem::HitTest(int x, int y) const { return ::PtInRect(&m_rect, POINT{x, y}) != 0; }

void CBarItem::Draw(CDC*) {}

POINT CBarItem::GetTipPoint() const { return POINT{m_rect.left + 1, m_rect.bottom + 1}; }

// A command's string holds its status-line prompt, a line break and its tip.
void CBarItem::SetId(UINT id) {
  if (id == 0) return;
  m_id = id;
  const std::string text = AfxLoadString(id);
  const size_t lineBreak = text.find('\n');
  m_tip = lineBreak == std::string::npos ? std::string() : text.substr(lineBreak + 1);
}
