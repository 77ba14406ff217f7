// CZrPlace: the root of the replicated tree, with its two standing groups.
#pragma once

#include <cstdint>
#include <string>

#include "ZrGroup.h"
#include "ZrTreeHost.h"

class CZrPlaceSelector;

// A group of kind 0x882 that stands for the place the user is in. Group 1024
// holds the members that stand in the place, group 1025 those that stand in
// no group (the local user among them when it is in no other group). The
// place makes the objects that the server adds through its factories, which
// a client overrides with its own classes.
class CZrPlace : public CZrGroup, public IZrTreeHost {
public:
    static constexpr uint32_t kKind = 0x882;
    static constexpr uint32_t kAuditorium = 2049;

    // Both groups must exist without identifier and parent; the place owns
    // them from here on.
    CZrPlace(CZrGroup* room, CZrGroup* corridor, CTvlObject* owner);
    ~CZrPlace() override;

    IZrTreeHost* GetTreeHost() override { return this; }

    // The factories; the library's make plain objects.
    virtual CZrPerson* CreatePerson();
    virtual CZrGroup* CreateGroup(uint32_t kind);
    virtual CTvlBlob* CreateBlob();
    // Raised before the tree is rebuilt on entry (operation 1).
    virtual void OnEntering(CZrObject* target, const std::string& name, const CZrPlaceSelector& selector);
    // The flag with which operation 10 writes its info record.
    virtual bool UsesFullInfo() const { return false; }
    // The local user has an identifier.
    virtual bool IsConnected() = 0;
    // The place has an identifier.
    virtual bool IsReady() = 0;

    // IZrTreeHost: the checked factories end the process when a factory
    // gives nothing (or a place for a group) and give the object its kind.
    CZrPerson* NewPerson(uint32_t kind) override;
    CZrGroup* NewGroup(uint32_t kind) override;
    CTvlBlob* NewBlob() override;
    bool RegisterMember(uint32_t id, CZrMemberHandle& handle) override;
    CZrGroup* GetRoom() override { return m_room; }
    CZrGroup* GetCorridor() override { return m_corridor; }

    uint8_t GetNumber() const { return m_number; }
    const std::string& GetTitle() const { return m_title; }
    uint16_t GetFirstValue() const { return m_firstValue; }
    uint16_t GetSecondValue() const { return m_secondValue; }
    const std::string& GetLocation() const { return m_location; }

protected:
    // The number, title, the auditorium values and the location.
    void SetPlaceData(uint8_t number, const std::string& title, uint16_t first, uint16_t second,
                      const std::string& location);

private:
    uint8_t m_number;
    std::string m_title;
    uint16_t m_firstValue;
    uint16_t m_secondValue;
    std::string m_location;
    CZrGroup* m_room;
    CZrGroup* m_corridor;
};
