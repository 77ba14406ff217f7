// The served side of the client's DDE service without the platform: the
// topics and items of the service table, requests answered through the
// owner, pokes decoded into items for the owner, and the data posted to the
// advise loops.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "CZrDdeServerOwner.h"
#include "CZrDdeTopic.h"
#include "ZrDdeInfoItems.h"

enum class ZrDdePokeResult
{
    Taken,     // decoded and handed to the owner
    NoTarget,  // no such topic or item
    BadData,   // the data is not a valid command form of the item
};

class CZrDdeServerCore
{
public:
    // The side of the items made from incoming data: the program is the
    // server end of its own service.
    static constexpr int32_t kSide = 0;
    static constexpr const char* kParametersItem = "ParametersList";

    explicit CZrDdeServerCore(CZrDdeServerOwner& owner);

    const std::vector<CZrDdeTopic>& GetTopics() const { return m_topics; }
    // By name without regard to case; null when none.
    const CZrDdeTopic* FindTopic(const std::string& name) const;

    bool AcceptsAdvise(const std::string& topic, const std::string& item, uint32_t format) const;
    // The data last posted for the item; null when none was posted.
    const std::vector<uint8_t>* GetPostedData(const std::string& topic, const std::string& item) const;

    // Answers a request; an item name that the topic lacks is taken as the
    // parameter of the topic's "ParametersList".
    bool Request(const std::string& topic, const std::string& item, std::vector<uint8_t>& answer);
    ZrDdePokeResult Poke(const std::string& topic, const std::string& item, const uint8_t* data,
                         uint32_t size);

    // Keeps a copy of the data as the last posted data of the item with the
    // type code; null when the service has no such item. `topic` is set to
    // the item's topic.
    const CZrDdeTopicItem* StorePosted(uint16_t type, const uint8_t* data, uint32_t size,
                                       const CZrDdeTopic*& topic);

    void Trace(const std::string& line) { m_owner.OnTrace(line); }
    const CVersionItem& GetVersion() const { return m_version; }

private:
    bool FindRequestTarget(const std::string& topic, const std::string& item, uint16_t& type,
                           uint32_t& parameter);
    bool FillAnswer(CZrDdeItem& item, uint32_t parameter);

    CZrDdeServerOwner& m_owner;
    std::vector<CZrDdeTopic> m_topics;
    CVersionItem m_version;
};
