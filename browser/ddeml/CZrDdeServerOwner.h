// What the DDE server asks of the object that owns it: the decoded items that
// outside programs poke, the answers to their requests, and the trace lines.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "CZrDdeItem.h"

class CZrDdeServerOwner
{
public:
    virtual ~CZrDdeServerOwner() = default;

    // A poked item, decoded. The owner keeps it or lets it go.
    virtual void OnItem(std::unique_ptr<CZrDdeItem> item) { (void)item; }
    // Fills the empty item of the requested type; the parameter is the
    // number that the item name gave (0 when the item was named directly).
    // False leaves the request unanswered.
    virtual bool OnRequest(CZrDdeItem& item, uint32_t parameter)
    {
        (void)item;
        (void)parameter;
        return false;
    }
    virtual void OnTrace(const std::string& line) { (void)line; }
};
