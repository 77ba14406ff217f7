#include "ZrReferenceList.h"

#include <algorithm>

CZrObjectRef& CZrReferenceList::Add(std::unique_ptr<CZrObjectRef> reference)
{
    m_references.push_back(std::move(reference));
    return *m_references.back();
}

std::unique_ptr<CZrObjectRef> CZrReferenceList::Take(uint32_t ownerId)
{
    const auto found = std::find_if(m_references.begin(), m_references.end(),
                                    [ownerId](const auto& reference) { return reference->ownerId == ownerId; });
    if (found == m_references.end())
        return nullptr;
    std::unique_ptr<CZrObjectRef> taken = std::move(*found);
    m_references.erase(found);
    return taken;
}

const CZrObjectRef* CZrReferenceList::FindByKind(uint32_t kind) const
{
    for (const auto& reference : m_references) {
        if (ZrKindLow7(reference->kind) == ZrKindLow7(kind))
            return reference.get();
    }
    return nullptr;
}

const CZrObjectRef* CZrReferenceList::FindByOwner(uint32_t ownerId) const
{
    for (const auto& reference : m_references) {
        if (reference->ownerId == ownerId)
            return reference.get();
    }
    return nullptr;
}

const CZrObjectRef* CZrReferenceList::FindByOwnerAndKind(uint32_t ownerId, uint32_t kind) const
{
    for (const auto& reference : m_references) {
        if (reference->ownerId == ownerId && ZrKindLow7(reference->kind) == ZrKindLow7(kind))
            return reference.get();
    }
    return nullptr;
}
