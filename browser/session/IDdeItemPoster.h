// Where the DDE session posts the items of its notifications: the advise
// loops of the programs that follow the client.
#pragma once

class CZrDdeItem;

class IDdeItemPoster
{
public:
    // The caller keeps the item.
    virtual void PostItem(CZrDdeItem& item) = 0;

protected:
    ~IDdeItemPoster() = default;
};
