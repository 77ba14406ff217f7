// The static table of the client's DDE service: its two service names, the
// ten topics and the items of each, with their advise bits. An item's type
// code is its topic index shifted left by 8, OR its item index.
#pragma once

#include <cstdint>

struct ZrDdeItemName
{
    const char* name;
    uint32_t adviseBit;
};

struct ZrDdeTopicRecord
{
    static constexpr int kMaxItems = 10;

    const char* name;
    uint32_t constant;
    // OR of the advise bits of the topic's items.
    uint32_t adviseMask;
    // The items are the entries up to the first null name.
    ZrDdeItemName items[kMaxItems];
};

struct ZrDdeServiceTableData
{
    static constexpr int kTopicCount = 10;

    const char* firstService;
    const char* unused;
    const char* secondService;
    // The ten topics, then a record that is all zero.
    ZrDdeTopicRecord topics[kTopicCount + 1];
};

class CZrDdeServiceTable
{
public:
    static const ZrDdeServiceTableData& Get();

    static int GetTopicCount() { return ZrDdeServiceTableData::kTopicCount; }
    // Null outside 0..GetTopicCount()-1.
    static const ZrDdeTopicRecord* GetTopic(int topicIndex);
    // 0 for a topic index outside the table.
    static int GetItemCount(int topicIndex);

    static uint16_t MakeType(int topicIndex, int itemIndex);
    static int TopicIndexOf(uint16_t type) { return type >> 8; }
    static int ItemIndexOf(uint16_t type) { return type & 0xFF; }
    static bool IsKnownType(uint16_t type);
};
