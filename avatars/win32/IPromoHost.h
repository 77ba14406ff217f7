// What a promotion window needs of the main window: the page area it is
// centred on, the rectangle it zooms into at the end, the colour of its
// caption, and the hand-over of a finished promotion.
#pragma once
#include <windows.h>

#include <string>

#include "AvatarPlacement.h"

class CPromoWnd;

class IPromoHost {
public:
    virtual AvatarPage PromoPageArea() const = 0;
    // Screen rectangle the promotion zooms into.
    virtual RECT PromoZoomTarget() const = 0;
    virtual COLORREF PromoCaptionColour() const = 0;
    // A message box of two string numbers (title 0: the program's caption),
    // for a picture file that cannot be shown.
    virtual void ShowPromoMessage(UINT title, UINT text, const std::string& file) = 0;
    // The promotion has ended: hidden, its texts, picture, blob and final
    // value are there to take. The window is not deleted from inside this
    // call.
    virtual void TakeFinishedPromotion(CPromoWnd& promotion) = 0;

protected:
    ~IPromoHost() = default;
};
