#include "CPromotions.h"

#include "BroadcastInfo.h"
#include "PromoWnd.h"
#include "ZrMessageBox.h"

CPromotions::CPromotions(CPromotionSite site) : m_site(std::move(site)) {}

CPromotions::~CPromotions() {
  DeleteRetired();
  if (m_current) m_current->SafeDelete();
}

void CPromotions::DeleteRetired() {
  if (!m_retired) return;
  m_retired->SafeDelete();
  m_retired = nullptr;
}

// A promotion still showing gives way to the new one.
bool CPromotions::Show(const CBroadcastInfo& record) {
  const uint16_t target = record.values[0];
  if ((target != kContent && target != kContentAndMonitor) || record.picture.Length() <= kMinPictureBytes)
    return false;
  CWnd* page = m_site.pageWindow ? m_site.pageWindow() : nullptr;
  if (!page) return false;
  CPicture picture;
  if (!picture.LoadMemory(record.picture.Bytes(), record.picture.Length()) || picture.IsEmpty()) return false;
  DeleteRetired();
  if (m_current) {
    m_current->SafeDelete();
    m_current = nullptr;
  }
  auto* promotion = new CPromoWnd(*this, picture, record);
  if (!promotion->Create(page)) {
    promotion->SafeDelete();
    return false;
  }
  m_current = promotion;
  promotion->SetShown(true);
  return true;
}

AvatarPage CPromotions::PromoPageArea() const {
  return m_site.pageArea ? m_site.pageArea() : AvatarPage{0, 0, 0, 0};
}

RECT CPromotions::PromoZoomTarget() const { return m_site.zoomTarget ? m_site.zoomTarget() : RECT{}; }

COLORREF CPromotions::PromoCaptionColour() const {
  return m_site.colour ? m_site.colour(kCaptionColour) : RGB(255, 255, 225);
}

void CPromotions::ShowPromoMessage(UINT title, UINT text, const std::string& file) {
  MessageBoxIds2(title, text, file.c_str());
}

// The window is deleted later, never from inside its own timer.
void CPromotions::TakeFinishedPromotion(CPromoWnd& promotion) {
  auto finished = std::make_unique<CFinishedPromotion>();
  finished->caption = promotion.Caption();
  finished->secondText = promotion.SecondText();
  finished->thirdText = promotion.ThirdText();
  finished->picture = promotion.Picture();
  finished->blob = promotion.Blob();
  finished->finalValue = promotion.Settings().finalValue;
  m_finished = std::move(finished);
  if (m_current == &promotion) {
    DeleteRetired();
    m_retired = m_current;
    m_current = nullptr;
  }
}
