// The promotions of the main window: a received broadcast for the page's
// content becomes a promotion window over the page; a finished one is kept
// (its texts, picture, blob and final value) until the next arrives.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "AvatarPlacement.h"
#include "IPromoHost.h"
#include "Picture.h"
#include "TvlBlob.h"

class CBroadcastInfo;
class CPromoWnd;
class CWnd;

// Where promotions go in the running program.
struct CPromotionSite {
  std::function<CWnd*()> pageWindow;
  std::function<AvatarPage()> pageArea;
  // Screen rectangle a finished promotion zooms into.
  std::function<RECT()> zoomTarget;
  std::function<COLORREF(uint32_t)> colour;
};

// What is kept of the last finished promotion.
struct CFinishedPromotion {
  std::string caption;
  std::string secondText;
  std::string thirdText;
  CPicture picture;
  CTvlBlob blob;
  uint16_t finalValue = 0;
};

class CPromotions : public IPromoHost {
 public:
  // Target codes of broadcasts shown over the page's content.
  static constexpr uint16_t kContent = 2;
  static constexpr uint16_t kContentAndMonitor = 6;
  // A picture of no more than this many bytes is none.
  static constexpr uint32_t kMinPictureBytes = 8;
  static constexpr uint32_t kCaptionColour = 1;

  explicit CPromotions(CPromotionSite site);
  ~CPromotions();

  // A broadcast record: shown when it is for the content and carries a
  // picture that decodes. True when a promotion window went up.
  bool Show(const CBroadcastInfo& record);
  CPromoWnd* Current() const { return m_current; }
  const CFinishedPromotion* Finished() const { return m_finished.get(); }

  // IPromoHost
  AvatarPage PromoPageArea() const override;
  RECT PromoZoomTarget() const override;
  COLORREF PromoCaptionColour() const override;
  void ShowPromoMessage(UINT title, UINT text, const std::string& file) override;
  void TakeFinishedPromotion(CPromoWnd& promotion) override;

 private:
  void DeleteRetired();

  CPromotionSite m_site;
  CPromoWnd* m_current = nullptr;
  CPromoWnd* m_retired = nullptr;
  std::unique_ptr<CFinishedPromotion> m_finished;
};
