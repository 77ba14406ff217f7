// IPlaceDde: the notices that the root place gives the DDE session.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TvlBlob.h"

class CZrPlaceDesc;

class IPlaceDde {
public:
    virtual void PostConnectCommunity() = 0;
    // The text of the string number goes out with the item.
    virtual void PostDisconnectCommunity(uint32_t stringId) = 0;
    virtual void PostNavigate() = 0;
    virtual void PostQueryPlaces(const std::vector<std::unique_ptr<CZrPlaceDesc>>& places) = 0;
    virtual void PostMessageItem(uint32_t sender, const std::string& name, const std::string& text,
                                 const CTvlBlob& payload, uint32_t itemType) = 0;
    virtual void SendGameData(uint32_t sender, const std::string& name, const std::string& text,
                              const CTvlBlob& payload, uint32_t first, uint32_t second) = 0;
    virtual void ForwardGameData(uint32_t sender, uint32_t kind, uint32_t code, const std::string& text,
                                 const CTvlBlob& payload) = 0;

protected:
    ~IPlaceDde() = default;
};
