// The served side's handling of what other programs send: item names that
// requests and pokes give, and poke data of any length.
// Input: one byte that picks the topic, an item name up to the first NUL,
// then the data.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "CZrDdeServerCore.h"

namespace {

class AnsweringOwner : public CZrDdeServerOwner
{
public:
    bool OnRequest(CZrDdeItem& item, uint32_t parameter) override
    {
        return (parameter & 1) == 0 && item.GetType() != 0;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    AnsweringOwner owner;
    CZrDdeServerCore core(owner);
    const std::vector<CZrDdeTopic>& topics = core.GetTopics();
    const std::string topic = topics[data[0] % topics.size()].GetName();
    const uint8_t* rest = data + 1;
    const size_t restSize = size - 1;
    const void* nul = std::memchr(rest, 0, restSize);
    const size_t nameLength = nul ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - rest) : restSize;
    const std::string item(reinterpret_cast<const char*>(rest), nameLength);
    const size_t dataOffset = nul ? nameLength + 1 : restSize;
    // An exact-size copy, so that any read past the end is caught.
    std::vector<uint8_t> poked(rest + dataOffset, rest + restSize);

    std::vector<uint8_t> answer;
    core.Request(topic, item, answer);
    core.Poke(topic, item, poked.data(), static_cast<uint32_t>(poked.size()));
    const CZrDdeTopic* postedTopic = nullptr;
    if (poked.size() >= 2) {
        const uint16_t type = static_cast<uint16_t>(poked[0] | (poked[1] << 8));
        core.StorePosted(type, poked.data(), static_cast<uint32_t>(poked.size()), postedTopic);
    }
    return 0;
}
