// The property pages of the three voice controls: the "General" page of
// each, a dialog of this module with no fields of its own.
#pragma once

#include "COlePropertyPage.h"

constexpr UINT kGeneralCaptionString = 200;

class CSonorellePropPage final : public COlePropertyPage
{
public:
    CSonorellePropPage()
        : COlePropertyPage(200, kGeneralCaptionString)
    { }
};

class CSonorelle2PropPage final : public COlePropertyPage
{
public:
    CSonorelle2PropPage()
        : COlePropertyPage(201, kGeneralCaptionString)
    { }
};

class CSonorelle3PropPage final : public COlePropertyPage
{
public:
    CSonorelle3PropPage()
        : COlePropertyPage(202, kGeneralCaptionString)
    { }
};
