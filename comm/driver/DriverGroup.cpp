#include "DriverGroup.h"

#include "DriverTree.h"

CDriverJson CDriverGroup::Event(const char* name)
{
    CDriverJson json(name);
    json.Add("object", GetId()).Add("name", GetName());
    return json;
}

void CDriverGroup::OnEnter()
{
    Print(Event("OnEnter").AddJson("tree", DriverTreeJson(*this)));
}

void CDriverGroup::OnLeave(const std::string& reason)
{
    Print(Event("OnLeave").Add("reason", reason));
}

void CDriverGroup::OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value)
{
    Print(Event("OnMove")
              .Add("old_parent", oldParent ? static_cast<int64_t>(oldParent->GetId()) : -1)
              .AddJson("old_position", DriverPositionJson(oldPosition))
              .Add("value", value));
}

void CDriverGroup::OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob& blob)
{
    Print(Event("OnReceive")
              .Add("sender", sender ? static_cast<int64_t>(sender->GetId()) : -1)
              .Add("value", value)
              .Add("text", text)
              .AddJson("blob", DriverBlobJson(&blob)));
}

void CDriverGroup::OnDissolve()
{
    Print(Event("OnDissolve"));
}
