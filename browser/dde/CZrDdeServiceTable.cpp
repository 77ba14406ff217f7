#include "CZrDdeServiceTable.h"

namespace {

const ZrDdeServiceTableData kServiceTable = {
    "ZrPlacesRun",
    nullptr,
    "ZrPlaces",
    {
        {"ZR_Place", 1, 0x0000F,
         {{"ConnectCommunity", 0x00001},
          {"Navigate", 0x00002},
          {"DisconnectCommunity", 0x00004},
          {"PlaceInfo", 0},
          {"QueryPlaces", 0x00008}}},
        {"ZR_Movemant", 1, 0x000F0,
         {{"EnterRoom", 0x00010},
          {"LeaveRoom", 0x00020},
          {"Move", 0x00040},
          {"MoveError", 0x00080}}},
        {"ZR_Message", 1, 0x00700,
         {{"Say", 0x00100},
          {"Send", 0x00200},
          {"Alert", 0x00400}}},
        {"ZR_Group", 1, 0x3F800,
         {{"Start1on1", 0x00800},
          {"Break1on1", 0x01000},
          {"StartGroup", 0x02000},
          {"BreakGroup", 0x04000},
          {"JoinGroup", 0x08000},
          {"LeaveGroup", 0x10000},
          {"GroupError", 0x20000}}},
        {"ZR_MyInfo", 1, 0,
         {{"MyPosition", 0},
          {"MyInfo", 0}}},
        {"ZR_PresenceInfo", 1, 0xC0000,
         {{"SetPresenceIdentity", 0x40000},
          {"SetPresenceFace", 0x80000},
          {"ParametersList", 0}}},
        {"ZR_GroupInfo", 1, 0,
         {{"ParametersList", 0}}},
        {"ZR_IdInfo", 1, 0,
         {{"ParametersList", 0}}},
        {"ZR_Version", 1, 0,
         {{"ParametersList", 0}}},
        {"ZR_GameInfo", 1, 0x100000,
         {{"GameHandle", 0},
          {"GameSlots", 0},
          {"GameState", 0x100000}}},
        {nullptr, 0, 0, {}},
    },
};

} // namespace

const ZrDdeServiceTableData& CZrDdeServiceTable::Get()
{
    return kServiceTable;
}

const ZrDdeTopicRecord* CZrDdeServiceTable::GetTopic(int topicIndex)
{
    if (topicIndex < 0 || topicIndex >= GetTopicCount())
        return nullptr;
    return &kServiceTable.topics[topicIndex];
}

int CZrDdeServiceTable::GetItemCount(int topicIndex)
{
    const ZrDdeTopicRecord* topic = GetTopic(topicIndex);
    if (!topic)
        return 0;
    int count = 0;
    while (count < ZrDdeTopicRecord::kMaxItems && topic->items[count].name)
        ++count;
    return count;
}

uint16_t CZrDdeServiceTable::MakeType(int topicIndex, int itemIndex)
{
    return static_cast<uint16_t>((topicIndex << 8) | itemIndex);
}

bool CZrDdeServiceTable::IsKnownType(uint16_t type)
{
    return ItemIndexOf(type) < GetItemCount(TopicIndexOf(type));
}
