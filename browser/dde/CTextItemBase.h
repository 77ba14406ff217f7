// Item of one text field, coded the same at both ends.
#pragma once

#include "CZrDdeItem.h"

class CTextItemBase : public CZrDdeItem
{
public:
    uint32_t GetSize() const override;
    const ZrDdeString& GetText() const { return m_text; }

protected:
    CTextItemBase(int32_t side, ZrDdeString text);
    void WriteFields() override;
    bool ReadFields() override;

private:
    ZrDdeString m_text;
};
