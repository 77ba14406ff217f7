// Items of the topic "ZR_PresenceInfo": another person's identity, picture
// and parameters. Coded the same at both ends.
#pragma once

#include "CIdentityItemBase.h"

// id "," text 1 "," text 2 "," text 3 "," text 4.
class CSetPresenceIdentityItem : public CIdentityItemBase
{
public:
    static constexpr uint16_t kType = 0x500;

    CSetPresenceIdentityItem();
    CSetPresenceIdentityItem(uint32_t id, ZrDdeString text1, ZrDdeString text2, ZrDdeString text3,
                             ZrDdeString text4);

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    uint32_t GetId() const { return m_id; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    uint32_t m_id = 0;
};

// id "," picture.
class CSetPresenceFaceItem : public CZrDdeItem
{
public:
    static constexpr uint16_t kType = 0x501;

    CSetPresenceFaceItem();
    CSetPresenceFaceItem(uint32_t id, ZrDdeBytes picture);

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    uint32_t GetId() const { return m_id; }
    const ZrDdeBytes& GetPicture() const { return m_picture; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    uint32_t m_id = 0;
    ZrDdeBytes m_picture;
};

// text 1 "," text 2 "," text 3 "," text 4 "," bytes.
class CPresenceParametersItem : public CIdentityItemBase
{
public:
    static constexpr uint16_t kType = 0x502;

    CPresenceParametersItem();
    void Set(ZrDdeString text1, ZrDdeString text2, ZrDdeString text3, ZrDdeString text4,
             ZrDdeBytes bytes);

    uint32_t GetSize() const override;
    uint16_t GetType() const override { return kType; }
    const ZrDdeBytes& GetBytes() const { return m_bytes; }

protected:
    void WriteFields() override;
    bool ReadFields() override;

private:
    ZrDdeBytes m_bytes;
};
