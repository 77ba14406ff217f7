// CCommunityConfig: applies the configuration items that a community sends
// with its hello to the application's store.
#pragma once

#include <string>
#include <vector>

#include "ICommunityStore.h"

class CZrItem;
class CZrItemTable;

class CCommunityConfig {
public:
    // Items by code.
    static constexpr uint16_t kCurrentPage = 1002;
    static constexpr uint16_t kTitle = 1006;
    static constexpr uint16_t kLoginBase = 1009;
    static constexpr uint16_t kWordList = 1013;
    static constexpr uint16_t kUseDisplayName = 1019;
    static constexpr uint16_t kRefreshValue = 1022;
    static constexpr uint16_t kServiceLinks = 1024;

    explicit CCommunityConfig(ICommunityStore& store) : m_store(store) {}

    // Every item of the table in list order.
    void Apply(const CZrItemTable& items);
    void Apply(const CZrItem& item);

    // The parts of a text between commas.
    static std::vector<std::string> SplitCommas(const std::string& text);

private:
    ICommunityStore& m_store;
};
