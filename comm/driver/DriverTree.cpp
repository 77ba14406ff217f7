#include "DriverTree.h"

#include <vector>

#include "DriverJson.h"
#include "TvlBlob.h"
#include "ZrGroup.h"
#include "ZrObject.h"

std::string DriverPositionJson(const CZrPosition& position)
{
    switch (position.GetKind()) {
    case CZrPosition::kSeat:
        return "{\"seat\": " + std::to_string(position.GetId()) + "}";
    case CZrPosition::kXY:
        return "{\"x\": " + std::to_string(position.GetFirst()) + ", \"y\": " + std::to_string(position.GetSecond()) +
               "}";
    case CZrPosition::kName:
        return "{\"name\": " + CDriverJson::Quote(position.GetName()) + "}";
    default:
        return "null";
    }
}

std::string DriverBlobJson(const CTvlBlob* blob)
{
    if (!blob)
        return "null";
    return CDriverJson::Quote(std::string(reinterpret_cast<const char*>(blob->Bytes()), blob->Length()));
}

// Written without recursion: the tree is walked with an explicit stack of
// the groups whose children are still open.
std::string DriverTreeJson(CZrObject& root)
{
    struct Open {
        CTvlListIter next;
    };
    auto head = [](CZrObject& object) {
        std::string text = "{\"id\": " + std::to_string(object.GetId()) + ", \"name\": " +
                           CDriverJson::Quote(object.GetName()) + ", \"kind\": " + std::to_string(object.GetKind()) +
                           ", \"position\": " + DriverPositionJson(object.GetPosition());
        const CZrGroup* group = object.AsGroup();
        if (!group)
            return text + "}";
        text += ", \"host\": ";
        text += group->GetHost() ? std::to_string(group->GetHost()->GetId()) : std::string("null");
        return text + ", \"children\": [";
    };
    std::string json = head(root);
    std::vector<Open> stack;
    if (CZrGroup* group = root.AsGroup())
        stack.push_back({group->Children().Begin()});
    while (!stack.empty()) {
        Open& open = stack.back();
        if (!open.next.IsValid()) {
            json += "]}";
            stack.pop_back();
            continue;
        }
        CZrObject& child = *open.next.Get<CZrObject>();
        const bool first = open.next.Object() == child.GetParent()->Children().Begin().Object();
        open.next.Next();
        json += (first ? "" : ", ") + head(child);
        if (CZrGroup* group = child.AsGroup())
            stack.push_back({group->Children().Begin()});
    }
    return json;
}
