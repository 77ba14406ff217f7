// CTvlList: doubly linked list of object pointers, owning or referring.
#pragma once

#include <cstdint>

#include "TvlObject.h"

class CTvlListNode : public CTvlObject {
public:
    explicit CTvlListNode(CTvlObject* object) : next(nullptr), prev(nullptr), object(object) {}

    CTvlListNode* next;
    CTvlListNode* prev;
    CTvlObject* object;
};

// Stands on one node of a list, or on none (past either end).
class CTvlListIter : public CTvlObject {
public:
    explicit CTvlListIter(CTvlListNode* node = nullptr) : m_node(node) {}

    bool IsValid() const { return m_node != nullptr; }
    // The object of the node, nullptr when standing on none.
    CTvlObject* Object() const { return m_node ? m_node->object : nullptr; }
    template <class T> T* Get() const { return static_cast<T*>(Object()); }
    void Next() { m_node = m_node ? m_node->next : nullptr; }
    void Prev() { m_node = m_node ? m_node->prev : nullptr; }
    CTvlListNode* Node() const { return m_node; }

private:
    friend class CTvlList;
    CTvlListNode* m_node;
};

// With the keeps flag 0 (kOwns) the list owns its objects and deletes them
// when they are removed or the list is emptied or destroyed; with any other
// value (kRefers) it only refers to them.
class CTvlList : public CTvlObject {
public:
    static constexpr int32_t kOwns = 0;
    static constexpr int32_t kRefers = 1;

    explicit CTvlList(int32_t keeps);
    CTvlList(const CTvlList&) = delete;
    CTvlList& operator=(const CTvlList&) = delete;
    ~CTvlList() override;

    // Adds the object at the end; a missing object is ignored.
    void Append(CTvlObject* object);
    // Moves every node of `other` to the end of this list, in order, leaving
    // `other` empty. Nothing happens when other is missing, empty or has a
    // different keeps flag (ownership never changes hands).
    void AppendList(CTvlList* other);

    // Iterators on the first and on the last node (invalid when empty).
    CTvlListIter Begin() const { return CTvlListIter(m_first); }
    CTvlListIter End() const { return CTvlListIter(m_last); }

    // Unlinks the iterator's node, clears the iterator and returns the object;
    // the object is never deleted. nullptr when the iterator stands on none.
    CTvlObject* RemoveNode(CTvlListIter& it);
    // As RemoveNode; an owning list then deletes the object.
    void RemoveAt(CTvlListIter& it);
    // Removes the first node holding the object, never deleting the object.
    void Unlink(CTvlObject* object);
    // Unlink, then an owning list deletes the object.
    void Remove(CTvlObject* object);
    // RemoveAt from the front until the list is empty.
    void RemoveAll();

    // The first node holding the object, or an invalid iterator.
    CTvlListIter Find(const CTvlObject* object) const;

    int32_t Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    bool Owns() const { return m_keeps == kOwns; }
    int32_t Keeps() const { return m_keeps; }

private:
    int32_t m_count;
    CTvlListNode* m_first;
    CTvlListNode* m_last;
    int32_t m_keeps;
};
