#include "CZrDdeTopic.h"

#include "ZrDdeText.h"

void CZrDdeTopic::AddItem(std::string name)
{
    const int index = static_cast<int>(m_items.size());
    m_items.emplace_back(std::move(name), index);
}

CZrDdeTopicItem* CZrDdeTopic::FindItem(const std::string& name)
{
    for (CZrDdeTopicItem& item : m_items) {
        if (ZrDdeText::NamesEqual(item.GetName(), name))
            return &item;
    }
    return nullptr;
}

const CZrDdeTopicItem* CZrDdeTopic::FindItem(const std::string& name) const
{
    return const_cast<CZrDdeTopic*>(this)->FindItem(name);
}

CZrDdeTopicItem* CZrDdeTopic::FindItem(int index)
{
    if (index < 0 || index >= static_cast<int>(m_items.size()))
        return nullptr;
    return &m_items[static_cast<size_t>(index)];
}
