// CZrItemTable: the items published on an object, at most one per code.
#pragma once

#include <cstdint>
#include <memory>

#include "TvlList.h"
#include "TvlObject.h"
#include "ZrItem.h"

class TvlNdr;

// Coded as a u16 count and the items. Reading merges into the table: an
// item whose code is held already overwrites it, any other is added.
class CZrItemTable : public CTvlObject {
public:
    CZrItemTable();
    CZrItemTable(const CZrItemTable& other);
    CZrItemTable& operator=(const CZrItemTable& other);

    // Stores the item: it overwrites the one with its code or is appended.
    // Returns the stored item.
    CZrItem* Put(const CZrItem& item);
    CZrItem* Find(uint16_t code) const;
    // Takes the item with the code out of the table; nullptr when none.
    std::unique_ptr<CZrItem> Take(uint16_t code);
    void Clear() { m_items.RemoveAll(); }

    int32_t Count() const { return m_items.Count(); }
    CTvlListIter Begin() const { return m_items.Begin(); }

    void Write(TvlNdr& writer, bool full) const;
    // Merges the coded items into the table; false on the first item that
    // cannot be read (the items before it stay merged).
    bool Read(TvlNdr& reader, bool full);

private:
    CTvlList m_items;
};
