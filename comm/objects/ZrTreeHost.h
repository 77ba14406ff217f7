// IZrTreeHost: what the replicated tree asks of the place at its root.
#pragma once

#include <cstdint>

class CTvlBlob;
class CZrGroup;
class CZrMemberHandle;
class CZrPerson;

// The place implements this: it makes the objects that the server adds (its
// checked factories, which give the new object the kind asked for), files
// them in its session's registrations, and names its two standing groups and
// the local user. The tree reaches it through CZrObject::GetTreeHost of its
// root, or is handed it when it reads objects from a message.
class IZrTreeHost {
public:
    virtual CZrPerson* NewPerson(uint32_t kind) = 0;
    virtual CZrGroup* NewGroup(uint32_t kind) = 0;
    // An empty blob for member data read during a dispatch.
    virtual CTvlBlob* NewBlob() = 0;
    // Files (identifier, member record) with the session; false when the
    // session refuses the record. The handle may be made to share the body
    // that the session keeps.
    virtual bool RegisterMember(uint32_t id, CZrMemberHandle& handle) = 0;
    virtual CZrGroup* GetRoom() = 0;
    virtual CZrGroup* GetCorridor() = 0;
    // The local user, or nullptr.
    virtual CZrPerson* GetMyself() = 0;

protected:
    ~IZrTreeHost() = default;
};
