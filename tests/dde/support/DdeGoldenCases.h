// Hand-written encodings of every DDE item in every form, shared by the
// golden-bytes test and the truncation sweep.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "CZrDdeItem.h"

using Bytes = std::vector<uint8_t>;

// Parses pairs of hex digits; blanks between them are ignored.
Bytes Hex(const std::string& text);

struct DdeGoldenCase
{
    std::string name;
    uint16_t type;
    // Side given to the factory for the end that reads `bytes`.
    int32_t readerSide;
    Bytes bytes;
    // Makes the item that must write exactly `bytes`; null for a case that
    // is only read (a form nobody writes, or one with an optional tail left out).
    std::function<std::unique_ptr<CZrDdeItem>()> makeWriter;
    // Checks the values that the reading end decoded.
    std::function<void(const CZrDdeItem&)> checkRead;
    // True when the reading end writes the same bytes back (same form at
    // both ends).
    bool rewritesSame;
    // Shortest prefix that still reads, the optional tail then absent;
    // bytes.size() when every shorter prefix must fail.
    size_t shortestValidPrefix;
};

const std::vector<DdeGoldenCase>& DdeGoldenCases();

// Lets test failures name the case instead of dumping its bytes.
void PrintTo(const DdeGoldenCase& goldenCase, std::ostream* os);

// A fresh item of the factory that has read `bytes`; null when the read failed.
std::unique_ptr<CZrDdeItem> ReadItem(uint16_t type, int32_t side, const Bytes& bytes);

template <typename T>
const T& As(const CZrDdeItem& item)
{
    return dynamic_cast<const T&>(item);
}
