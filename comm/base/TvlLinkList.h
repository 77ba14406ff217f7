// CTvlLink and CTvlLinkList: intrusive list for objects that are in at most
// one list at a time.
#pragma once

#include <cstdint>

#include "TvlObject.h"

class CTvlLinkList;

// Base of a listable object. A link that is destroyed while in a list first
// takes itself out of it.
class CTvlLink : public CTvlObject {
public:
    CTvlLink() : m_next(nullptr), m_prev(nullptr), m_list(nullptr) {}
    CTvlLink(const CTvlLink&) = delete;
    CTvlLink& operator=(const CTvlLink&) = delete;
    ~CTvlLink() override;

    CTvlLink* Next() const { return m_next; }
    CTvlLink* Prev() const { return m_prev; }
    // The list the link is in, or nullptr.
    CTvlLinkList* List() const { return m_list; }

private:
    friend class CTvlLinkList;
    CTvlLink* m_next;
    CTvlLink* m_prev;
    CTvlLinkList* m_list;
};

// Keeps flag as in CTvlList: 0 (kOwns) deletes removed links, any other value
// only refers to them.
class CTvlLinkList : public CTvlObject {
public:
    static constexpr int32_t kOwns = 0;
    static constexpr int32_t kRefers = 1;

    explicit CTvlLinkList(int32_t keeps);
    CTvlLinkList(const CTvlLinkList&) = delete;
    CTvlLinkList& operator=(const CTvlLinkList&) = delete;
    ~CTvlLinkList() override;

    // Appends the link; a missing link, or one already in a list or linked,
    // is left alone.
    void Insert(CTvlLink* link);
    // Takes the link out when it is in this list; else nothing.
    void Unlink(CTvlLink* link);
    // Unlink, then an owning list deletes the link.
    void Remove(CTvlLink* link);
    // Remove from the front until empty.
    void RemoveAll();

    CTvlLink* First() const { return m_first; }
    CTvlLink* Last() const { return m_last; }
    int32_t Count() const { return m_count; }
    bool Owns() const { return m_keeps == kOwns; }

private:
    int32_t m_count;
    CTvlLink* m_first;
    CTvlLink* m_last;
    int32_t m_keeps;
};
