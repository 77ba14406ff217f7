// A served topic: its name, its index in the service table and its items.
#pragma once

#include <string>
#include <vector>

#include "CZrDdeTopicItem.h"

class CZrDdeTopic
{
public:
    CZrDdeTopic(std::string name, int index) : m_name(std::move(name)), m_index(index) {}

    const std::string& GetName() const { return m_name; }
    int GetIndex() const { return m_index; }

    void AddItem(std::string name);
    // Items are found by name without regard to case; null when none.
    CZrDdeTopicItem* FindItem(const std::string& name);
    const CZrDdeTopicItem* FindItem(const std::string& name) const;
    // Null outside the topic's items.
    CZrDdeTopicItem* FindItem(int index);
    const std::vector<CZrDdeTopicItem>& GetItems() const { return m_items; }

private:
    std::string m_name;
    int m_index;
    std::vector<CZrDdeTopicItem> m_items;
};
