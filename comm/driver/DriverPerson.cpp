#include "DriverPerson.h"

#include "DriverTree.h"
#include "ZrGroup.h"
#include "ZrItem.h"

namespace {

int64_t IdOf(const CZrObject* object)
{
    return object ? static_cast<int64_t>(object->GetId()) : -1;
}

} // namespace

CDriverJson CDriverPerson::Event(const char* name)
{
    CDriverJson json(name);
    json.Add("object", GetId()).Add("name", GetName());
    return json;
}

void CDriverPerson::OnEnter()
{
    Print(Event("OnEnter").Add("parent", IdOf(GetParent())).AddJson("position", DriverPositionJson(GetPosition())));
}

void CDriverPerson::OnLeave(const std::string& reason)
{
    Print(Event("OnLeave").Add("reason", reason));
}

void CDriverPerson::OnMove(CZrObject* oldParent, const CZrPosition& oldPosition, uint32_t value)
{
    Print(Event("OnMove")
              .Add("old_parent", IdOf(oldParent))
              .AddJson("old_position", DriverPositionJson(oldPosition))
              .Add("parent", IdOf(GetParent()))
              .AddJson("position", DriverPositionJson(GetPosition()))
              .Add("value", value));
}

void CDriverPerson::OnDenied(uint32_t code, uint32_t destination, uint32_t value)
{
    Print(Event("OnDenied").Add("code", code).Add("destination", destination).Add("value", value));
}

void CDriverPerson::OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob& blob)
{
    Print(Event("OnReceive").Add("sender", IdOf(sender)).Add("value", value).Add("text", text).AddJson("blob", DriverBlobJson(&blob)));
}

void CDriverPerson::OnSendRefused(uint32_t value, uint32_t code)
{
    Print(Event("OnSendRefused").Add("value", value).Add("code", code));
}

void CDriverPerson::OnDataChanged(const CTvlBlob* newData, const CTvlBlob* oldData, uint32_t value)
{
    Print(Event("OnDataChanged").AddJson("new_data", DriverBlobJson(newData)).AddJson("old_data", DriverBlobJson(oldData)).Add("value", value));
}

void CDriverPerson::OnItemPut(CZrItem& item)
{
    Print(Event("OnItemPut").Add("code", static_cast<uint32_t>(item.GetCode())).Add("value", item.GetValue()).Add("text", item.GetText()));
}

void CDriverPerson::OnItemRemoved(CZrItem& item)
{
    Print(Event("OnItemRemoved").Add("code", static_cast<uint32_t>(item.GetCode())));
}

void CDriverPerson::OnGroupRefused(uint32_t code)
{
    Print(Event("OnGroupRefused").Add("code", code));
}

void CDriverPerson::OnAlerted(CZrObject* sender)
{
    Print(Event("OnAlerted").Add("sender", IdOf(sender)));
}

void CDriverPerson::OnHostGained()
{
    Print(Event("OnHostGained"));
}

void CDriverPerson::OnHostLost()
{
    Print(Event("OnHostLost"));
}

void CDriverPerson::OnNotice(uint32_t value)
{
    Print(Event("OnNotice").Add("value", value));
}

void CDriverPerson::OnTargeted(CZrObject* object)
{
    Print(Event("OnTargeted").Add("target", IdOf(object)));
}

void CDriverPerson::OnTargetCleared()
{
    Print(Event("OnTargetCleared"));
}

void CDriverPerson::OnPaired(CZrObject* partner, const CZrPosition& oldPosition, uint32_t value)
{
    Print(Event("OnPaired").Add("partner", IdOf(partner)).AddJson("old_position", DriverPositionJson(oldPosition)).Add("group", IdOf(GetParent())).Add("value", value));
}

void CDriverPerson::OnGroupCreated(uint32_t value)
{
    Print(Event("OnGroupCreated").Add("group", IdOf(GetParent())).Add("value", value));
}

void CDriverPerson::OnRequestError(uint32_t code, uint32_t kind, uint32_t value)
{
    Print(Event("OnRequestError").Add("code", code).Add("kind", kind).Add("value", value));
}

void CDriverPerson::OnDataReset(const CTvlBlob* oldData)
{
    Print(Event("OnDataReset").AddJson("old_data", DriverBlobJson(oldData)));
}

void CDriverPerson::OnDataRefused(uint32_t code)
{
    Print(Event("OnDataRefused").Add("code", code));
}

void CDriverPerson::OnInfoChanged()
{
    const CZrPersonInfo& info = GetPersonInfo();
    Print(Event("OnInfoChanged").Add("full_name", info.GetFullName()).Add("location", info.GetLocation()).Add("email", info.GetEmail()));
}

void CDriverPerson::OnFlagsChanged(CZrMemberFlags oldFlags)
{
    Print(Event("OnFlagsChanged").Add("old_flags", static_cast<uint32_t>(oldFlags.Word())).Add("flags", static_cast<uint32_t>(GetFlags().Word())));
}

void CDriverPerson::OnPlaced(CZrObject* oldParent, const CZrPosition& oldPosition)
{
    Print(Event("OnPlaced").Add("old_parent", IdOf(oldParent)).AddJson("old_position", DriverPositionJson(oldPosition)).Add("parent", IdOf(GetParent())));
}

void CDriverPerson::OnReturned(CZrObject* oldParent, const CZrPosition& oldPosition)
{
    Print(Event("OnReturned").Add("old_parent", IdOf(oldParent)).AddJson("old_position", DriverPositionJson(oldPosition)));
}

void CDriverPerson::OnSignal(uint32_t value)
{
    Print(Event("OnSignal").Add("value", value));
}

void CDriverPerson::OnKindChanged(uint32_t oldKind)
{
    Print(Event("OnKindChanged").Add("old_kind", oldKind).Add("kind", GetKind()));
}
