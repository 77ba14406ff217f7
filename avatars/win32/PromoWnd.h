// CPromoWnd: a promotion over the page of the place: a picture, announced
// by a red, green and blue flash when the record asks for it, cut to the
// picture's outline when asked, with its caption in a bubble under it. After
// its display time it zooms into the main window, which takes it over.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "BroadcastInfo.h"
#include "Picture.h"
#include "PromoShape.h"
#include "ZrWnd.h"

class CPromoNameBubble;
class IPromoHost;

class CPromoWnd : public CZrWnd {
public:
    static constexpr char kClassName[] = "ZR_PromoWnd";
    static constexpr char kTitle[] = "ZR promo";
    static constexpr UINT kCursorId = 263;
    static constexpr UINT kIconId = 128;
    static constexpr UINT_PTR kFlashTimer = 1;
    static constexpr UINT_PTR kDisplayTimer = 2;
    static constexpr UINT kFlashMs = 250;
    static constexpr int32_t kFlashSteps = 7;
    static constexpr int kZoomSpeed = 20;
    static constexpr uint16_t kPageCentre = 5000;
    // Largest side of the window when the page has no size yet.
    static constexpr int kMaxSide = 2048;
    // Message box texts of a picture file that cannot be shown.
    static constexpr UINT kBlankText = 199;
    static constexpr UINT kNotFoundText = 155;
    static constexpr UINT kOpenFailedText = 570;
    static constexpr UINT kReadFailedText = 572;
    static constexpr UINT kBadPictureText = 573;
    static constexpr UINT kOutOfMemoryText = 170;

    // The picture from a file (a file that cannot be shown is named to the
    // user and leaves the promotion invalid), or a picture already loaded.
    CPromoWnd(IPromoHost& host, const std::string& file, const CBroadcastInfo& record);
    CPromoWnd(IPromoHost& host, const CPicture& picture, const CBroadcastInfo& record);
    ~CPromoWnd() override;

    // false for an invalid promotion or a window that cannot be made.
    virtual bool Create(CWnd* parent);
    virtual POINT GetAnchorPoint() const;
    virtual void SetShown(bool show);
    virtual void UpdatePosition();

    bool IsValid() const { return m_valid; }
    const PromoSettings& Settings() const { return m_settings; }
    const std::string& Caption() const { return m_texts[0]; }
    const std::string& SecondText() const { return m_texts[1]; }
    const std::string& ThirdText() const { return m_texts[2]; }
    const CTvlBlob& Blob() const { return m_blob; }
    CPicture& Picture() { return m_picture; }
    int32_t FlashCounter() const { return m_counter; }
    bool IsFinished() const { return m_finished; }

    CPicture* GetPicture() override { return &m_picture; }
    void DrawPicture(CDC* dc, const RECT& rect) override;
    bool OnDragOver(int32_t x, int32_t y, int32_t* kind) override;
    std::string GetBubbleText() override { return Caption(); }

protected:
    bool PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    void TakeRecord(const CBroadcastInfo& record);
    bool LoadPictureFile(const std::string& file);
    bool StartTimers();
    void ShowCaption();
    void ApplyShape();
    void ZoomAway();
    void Finish();

    IPromoHost& m_host;
    HRGN m_region = nullptr;
    CPicture m_picture;
    bool m_valid = false;
    std::string m_texts[3];
    CTvlBlob m_blob;
    bool m_captionShown = false;
    PromoSettings m_settings;
    uint16_t m_position[2] = {kPageCentre, kPageCentre};
    bool m_painted = false;
    bool m_finished = false;
    int32_t m_counter = 0;
    UINT_PTR m_flashTimer = 0;
    std::unique_ptr<CPromoNameBubble> m_caption;
};
