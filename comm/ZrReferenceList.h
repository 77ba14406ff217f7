// CZrReferenceList: the object references that a server connection keeps.
#pragma once

#include <cstdint>
#include <list>
#include <memory>

#include "ZrKind.h"
#include "ZrObjectRef.h"

// References in the order they arrived. Lookups give the first match.
class CZrReferenceList {
public:
    CZrObjectRef& Add(std::unique_ptr<CZrObjectRef> reference);
    // Takes the first reference with the owner out of the list.
    std::unique_ptr<CZrObjectRef> Take(uint32_t ownerId);
    void Clear() { m_references.clear(); }

    const CZrObjectRef* FindByKind(uint32_t kind) const;
    const CZrObjectRef* FindByOwner(uint32_t ownerId) const;
    const CZrObjectRef* FindByOwnerAndKind(uint32_t ownerId, uint32_t kind) const;

    size_t Size() const { return m_references.size(); }

private:
    std::list<std::unique_ptr<CZrObjectRef>> m_references;
};
