// Item that carries four identity texts, coded text 1 "," text 2 "," text 3
// "," text 4. Subclasses put their other fields around this part.
#pragma once

#include "CZrDdeItem.h"

class CIdentityItemBase : public CZrDdeItem
{
public:
    const ZrDdeString& GetText1() const { return m_text1; }
    const ZrDdeString& GetText2() const { return m_text2; }
    const ZrDdeString& GetText3() const { return m_text3; }
    const ZrDdeString& GetText4() const { return m_text4; }

protected:
    explicit CIdentityItemBase(int32_t side) : CZrDdeItem(side) {}
    void SetTexts(ZrDdeString text1, ZrDdeString text2, ZrDdeString text3, ZrDdeString text4);

    uint32_t GetIdentitySize() const;
    void WriteIdentity();
    bool ReadIdentity();

private:
    ZrDdeString m_text1;
    ZrDdeString m_text2;
    ZrDdeString m_text3;
    ZrDdeString m_text4;
};
