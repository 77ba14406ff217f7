#include "CZrDdeServerCore.h"

#include "CZrDdeServiceTable.h"
#include "ZrDdeText.h"

CZrDdeServerCore::CZrDdeServerCore(CZrDdeServerOwner& owner) : m_owner(owner)
{
    for (int t = 0; t < CZrDdeServiceTable::GetTopicCount(); ++t) {
        const ZrDdeTopicRecord* record = CZrDdeServiceTable::GetTopic(t);
        CZrDdeTopic topic(record->name, t);
        for (int i = 0; i < CZrDdeServiceTable::GetItemCount(t); ++i)
            topic.AddItem(record->items[i].name);
        m_topics.push_back(std::move(topic));
    }
}

const CZrDdeTopic* CZrDdeServerCore::FindTopic(const std::string& name) const
{
    for (const CZrDdeTopic& topic : m_topics) {
        if (ZrDdeText::NamesEqual(topic.GetName(), name))
            return &topic;
    }
    return nullptr;
}

bool CZrDdeServerCore::AcceptsAdvise(const std::string& topic, const std::string& item,
                                     uint32_t format) const
{
    const CZrDdeTopic* found = FindTopic(topic);
    return found && found->FindItem(item) && CZrDdeTopicItem::AcceptsAdviseFormat(format);
}

const std::vector<uint8_t>* CZrDdeServerCore::GetPostedData(const std::string& topic,
                                                            const std::string& item) const
{
    const CZrDdeTopic* found = FindTopic(topic);
    const CZrDdeTopicItem* topicItem = found ? found->FindItem(item) : nullptr;
    return topicItem ? topicItem->GetPostedData() : nullptr;
}

bool CZrDdeServerCore::FindRequestTarget(const std::string& topic, const std::string& item,
                                         uint16_t& type, uint32_t& parameter)
{
    const CZrDdeTopic* found = FindTopic(topic);
    if (!found)
        return false;
    parameter = 0;
    const CZrDdeTopicItem* target = found->FindItem(item);
    if (!target) {
        target = found->FindItem(std::string(kParametersItem));
        const std::optional<uint32_t> number = ZrDdeText::ParseParameter(item);
        if (!target || !number)
            return false;
        parameter = *number;
    }
    type = CZrDdeServiceTable::MakeType(found->GetIndex(), target->GetIndex());
    return true;
}

bool CZrDdeServerCore::FillAnswer(CZrDdeItem& item, uint32_t parameter)
{
    if (item.GetType() == CVersionItem::kType) {
        static_cast<CVersionItem&>(item).CopyValuesFrom(m_version);
        return true;
    }
    return m_owner.OnRequest(item, parameter);
}

bool CZrDdeServerCore::Request(const std::string& topic, const std::string& item,
                               std::vector<uint8_t>& answer)
{
    uint16_t type = 0;
    uint32_t parameter = 0;
    if (!FindRequestTarget(topic, item, type, parameter))
        return false;
    std::unique_ptr<CZrDdeItem> answerItem = CZrDdeItem::CreateByType(type, kSide);
    if (!answerItem || !FillAnswer(*answerItem, parameter))
        return false;
    uint32_t size = 0;
    const uint8_t* bytes = answerItem->Write(size);
    answer.assign(bytes, bytes + size);
    return true;
}

ZrDdePokeResult CZrDdeServerCore::Poke(const std::string& topic, const std::string& item,
                                       const uint8_t* data, uint32_t size)
{
    const CZrDdeTopic* found = FindTopic(topic);
    const CZrDdeTopicItem* target = found ? found->FindItem(item) : nullptr;
    if (!target)
        return ZrDdePokeResult::NoTarget;
    const uint16_t type = CZrDdeServiceTable::MakeType(found->GetIndex(), target->GetIndex());
    std::unique_ptr<CZrDdeItem> command = CZrDdeItem::CreateByType(type, kSide);
    if (!command || !command->Read(data, size))
        return ZrDdePokeResult::BadData;
    m_owner.OnItem(std::move(command));
    return ZrDdePokeResult::Taken;
}

const CZrDdeTopicItem* CZrDdeServerCore::StorePosted(uint16_t type, const uint8_t* data,
                                                     uint32_t size, const CZrDdeTopic*& topic)
{
    const int topicIndex = CZrDdeServiceTable::TopicIndexOf(type);
    if (topicIndex >= static_cast<int>(m_topics.size()))
        return nullptr;
    CZrDdeTopic& found = m_topics[static_cast<size_t>(topicIndex)];
    CZrDdeTopicItem* item = found.FindItem(CZrDdeServiceTable::ItemIndexOf(type));
    if (!item)
        return nullptr;
    item->SetPostedData(data, size);
    topic = &found;
    return item;
}
