#include "CCommunityConfig.h"

#include "ZrItem.h"
#include "ZrItemTable.h"

namespace {

bool IsStoredText(uint16_t code)
{
    switch (code) {
    case 1000:
    case 1002:
    case 1003:
    case 1004:
    case 1005:
    case 1007:
    case 1011:
    case 1012:
    case 1020:
    case 1021:
    case 1024:
        return true;
    default:
        return false;
    }
}

bool IsNumber(const CZrItem& item)
{
    return item.HasValue() && item.GetType() >= CZrItem::kLong && item.GetType() <= CZrItem::kBool;
}

} // namespace

void CCommunityConfig::Apply(const CZrItemTable& items)
{
    for (CTvlListIter it = items.Begin(); it.IsValid(); it.Next()) {
        if (const CZrItem* item = it.Get<CZrItem>())
            Apply(*item);
    }
}

void CCommunityConfig::Apply(const CZrItem& item)
{
    const uint16_t code = item.GetCode();
    if (code == kUseDisplayName || code == kRefreshValue) {
        if (IsNumber(item))
            m_store.SetValue(code, code == kRefreshValue ? (item.GetValue() & 0xFFFF) : item.GetValue());
        return;
    }
    // A text item without a value stores an empty text; items of other
    // types under a text code are ignored rather than misread.
    if (item.GetType() != CZrItem::kText)
        return;
    const std::string& text = item.GetText();
    if (IsStoredText(code))
        m_store.SetCommunityText(code, text);
    switch (code) {
    case kCurrentPage:
        m_store.SetCurrentUrl(text);
        break;
    case kTitle:
        m_store.SetCommunityTitle(text);
        break;
    case kLoginBase:
        m_store.SetLoginBaseUrl(text);
        break;
    case kWordList:
        m_store.SetWordList(SplitCommas(text));
        break;
    case kServiceLinks:
        if (m_store.ReloadServiceLinks())
            m_store.BuildServiceLinksMenu();
        break;
    default:
        break;
    }
}

std::vector<std::string> CCommunityConfig::SplitCommas(const std::string& text)
{
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        parts.push_back(text.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return parts;
}
