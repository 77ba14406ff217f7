#include "DriverPlace.h"

#include "BroadcastInfo.h"
#include "DriverGroup.h"
#include "DriverPerson.h"
#include "DriverTree.h"
#include "ZrObjectRef.h"
#include "ZrPersonDesc.h"
#include "ZrPlaceDesc.h"
#include "ZrTextMessage.h"

namespace {

std::string KeyJson(const CZrString& key)
{
    return "{\"text\": " + CDriverJson::Quote(key.GetText()) + ", \"value\": " + std::to_string(key.GetValue()) + "}";
}

std::string RecordJson(const CZrTextMessage& record)
{
    return "{\"sender\": " + std::to_string(record.senderId) + ", \"kind\": " + std::to_string(record.kind) +
           ", \"name\": " + CDriverJson::Quote(record.name) + ", \"mode\": " + std::to_string(record.mode) +
           ", \"value\": " + std::to_string(record.value) + "}";
}

std::string ReferenceJson(const CZrObjectRef& reference)
{
    return "{\"owner\": " + std::to_string(reference.ownerId) + ", \"kind\": " + std::to_string(reference.kind) +
           ", \"id\": " + std::to_string(reference.id) + ", \"parent\": " + std::to_string(reference.parentId) + "}";
}

template <class List> std::string NamesJson(const List& list)
{
    std::string json = "[";
    for (const auto& item : list)
        json += (json.size() > 1 ? ", " : "") + CDriverJson::Quote(item->name);
    return json + "]";
}

} // namespace

CDriverPlace::CDriverPlace(CZrPerson* myself, DriverOutput output)
    : CZrClientPlace(myself, new CDriverGroup(output), new CDriverGroup(output), nullptr), m_output(std::move(output))
{
}

CZrPerson* CDriverPlace::CreatePerson()
{
    return new CDriverPerson(m_output);
}

CZrGroup* CDriverPlace::CreateGroup(uint32_t)
{
    return new CDriverGroup(m_output);
}

void CDriverPlace::OnReceive(CZrObject* sender, uint32_t value, const std::string& text, const CTvlBlob& blob)
{
    Print(CDriverJson("OnReceive")
              .Add("object", GetId())
              .Add("sender", sender ? static_cast<int64_t>(sender->GetId()) : -1)
              .Add("sender_name", sender ? sender->GetName() : std::string())
              .Add("value", value)
              .Add("text", text)
              .AddJson("blob", DriverBlobJson(&blob)));
}

void CDriverPlace::OnSendRefused(uint32_t value, uint32_t code)
{
    Print(CDriverJson("OnSendRefused").Add("object", GetId()).Add("value", value).Add("code", code));
}

void CDriverPlace::OnEntering(CZrObject* target, const std::string& name, const CZrPlaceSelector&)
{
    Print(CDriverJson("OnEntering").Add("target", target ? target->GetId() : 0u).Add("name", name));
}

void CDriverPlace::OnConnected()
{
    Print(CDriverJson("OnConnected").Add("member", GetMyself()->GetId()).Add("name", GetMyself()->GetName()));
}

void CDriverPlace::OnEntered(const CZrPosition* position, uint32_t flag, const std::string& text)
{
    Print(CDriverJson("OnEntered")
              .Add("place", GetId())
              .Add("name", GetName())
              .AddJson("position", position ? DriverPositionJson(*position) : std::string("null"))
              .Add("flag", flag)
              .Add("text", text));
}

void CDriverPlace::OnPlaceValue(uint32_t value)
{
    Print(CDriverJson("OnPlaceValue").Add("value", value));
}

void CDriverPlace::OnDisconnected(int32_t code, const std::string& text)
{
    Print(CDriverJson("OnDisconnected").Add("code", code).Add("text", text));
}

void CDriverPlace::OnBroadcast(const CBroadcastInfo& record)
{
    Print(CDriverJson("OnBroadcast").Add("text", record.texts[0]).Add("second_text", record.texts[1]).Add("third_text", record.texts[2]));
}

void CDriverPlace::OnSuperUserError(uint32_t value)
{
    Print(CDriverJson("OnSuperUserError").Add("value", value));
}

void CDriverPlace::OnPlaceDescription(uint32_t first, uint32_t second, bool flag, uint32_t valueA, uint32_t valueB,
                                      uint32_t valueC, const PlaceList& places)
{
    Print(CDriverJson("OnPlaceDescription")
              .Add("first", first)
              .Add("second", second)
              .Add("flag", flag)
              .Add("value_a", valueA)
              .Add("value_b", valueB)
              .Add("value_c", valueC)
              .AddJson("places", NamesJson(places)));
    CZrClientPlace::OnPlaceDescription(first, second, flag, valueA, valueB, valueC, places);
}

void CDriverPlace::OnPlaceList(const PlaceList& places, uint32_t valueA, uint32_t valueB, uint32_t valueC)
{
    Print(CDriverJson("OnPlaceList").AddJson("places", NamesJson(places)).Add("value_a", valueA).Add("value_b", valueB).Add("value_c", valueC));
}

void CDriverPlace::OnPersonDescription(uint32_t id, const std::string& text, const PersonList& persons)
{
    Print(CDriverJson("OnPersonDescription").Add("id", id).Add("text", text).AddJson("persons", NamesJson(persons)));
}

void CDriverPlace::whispered(const std::string& text, const CTvlBlob& blob, const CZrTextMessage& record,
                             const std::string& secondText)
{
    Print(CDriverJson("whispered")
              .Add("text", text)
              .AddJson("blob", DriverBlobJson(&blob))
              .AddJson("record", RecordJson(record))
              .Add("second_text", secondText));
}

void CDriverPlace::OnTalkRefused(uint32_t target, uint32_t code)
{
    Print(CDriverJson("OnTalkRefused").Add("target", target).Add("code", code));
}

void CDriverPlace::OnWarning(const std::string& text)
{
    Print(CDriverJson("OnWarning").Add("text", text));
}

void CDriverPlace::OnMuted(uint32_t member)
{
    Print(CDriverJson("OnMuted").Add("member", member));
}

void CDriverPlace::OnUnmuted()
{
    Print(CDriverJson("OnUnmuted"));
}

void CDriverPlace::OnDataLocked(uint32_t member)
{
    Print(CDriverJson("OnDataLocked").Add("member", member));
}

void CDriverPlace::OnDataUnlocked()
{
    Print(CDriverJson("OnDataUnlocked"));
}

void CDriverPlace::OnPersonPicture(uint32_t person, const CTvlBlob* picture)
{
    Print(CDriverJson("OnPersonPicture").Add("person", person).AddJson("picture", DriverBlobJson(picture)));
}

void CDriverPlace::OnPairNotice(uint32_t value, uint32_t second)
{
    Print(CDriverJson("OnPairNotice").Add("value", value).Add("second", second));
}

void CDriverPlace::OnObjectDescription(uint32_t first, uint32_t second, uint32_t third, uint32_t fourth,
                                       const CZrObjectDesc& description)
{
    Print(CDriverJson("OnObjectDescription")
              .Add("first", first)
              .Add("second", second)
              .Add("third", third)
              .Add("fourth", fourth)
              .Add("id", description.id)
              .Add("name", description.name));
}

void CDriverPlace::OnPlaceReport(uint32_t first, uint32_t second, bool inThisPlace, uint32_t third, uint32_t value)
{
    Print(CDriverJson("OnPlaceReport").Add("first", first).Add("second", second).Add("in_this_place", inThisPlace).Add("third", third).Add("value", value));
}

void CDriverPlace::OnMemberAppeared(const CZrObjectRef& reference)
{
    Print(CDriverJson("OnMemberAppeared").AddJson("reference", ReferenceJson(reference)));
}

void CDriverPlace::OnMemberLeft(const CZrObjectRef& reference)
{
    Print(CDriverJson("OnMemberLeft").AddJson("reference", ReferenceJson(reference)));
}

void CDriverPlace::OnServiceReply(uint32_t id, uint32_t mode, const std::string& text, const CTvlBlob& blob,
                                  const CZrTextMessage& record)
{
    Print(CDriverJson("OnServiceReply").Add("id", id).Add("mode", mode).Add("text", text).AddJson("blob", DriverBlobJson(&blob)).AddJson("record", RecordJson(record)));
}

void CDriverPlace::OnGameNotice(uint32_t id, uint32_t mode, const std::string& text, const CTvlBlob& blob,
                                const CZrObjectRef& member)
{
    Print(CDriverJson("OnGameNotice").Add("id", id).Add("mode", mode).Add("text", text).AddJson("blob", DriverBlobJson(&blob)).AddJson("member", ReferenceJson(member)));
}

void CDriverPlace::OnRequestFailed(uint32_t value, uint32_t target, uint32_t code)
{
    Print(CDriverJson("OnRequestFailed").Add("value", value).Add("target", target).Add("code", code));
}

void CDriverPlace::OnInvitationFailed(uint32_t first, uint32_t second, uint32_t value)
{
    Print(CDriverJson("OnInvitationFailed").Add("first", first).Add("second", second).Add("value", value));
}

void CDriverPlace::OnServerMessage(const std::string& text)
{
    Print(CDriverJson("OnServerMessage").Add("text", text));
}

void CDriverPlace::OnInvited(uint32_t value, uint32_t id, const CZrString& key, uint32_t second)
{
    Print(CDriverJson("OnInvited").Add("value", value).Add("id", id).AddJson("key", KeyJson(key)).Add("second", second));
}

void CDriverPlace::OnUninvited(uint32_t value, uint32_t id, const CZrString& key, uint32_t second)
{
    Print(CDriverJson("OnUninvited").Add("value", value).Add("id", id).AddJson("key", KeyJson(key)).Add("second", second));
}

void CDriverPlace::OnNameKeyList(uint32_t value, uint32_t id, uint32_t field, const KeyList& keys)
{
    std::string json = "[";
    for (const CZrString& key : keys)
        json += (json.size() > 1 ? ", " : "") + KeyJson(key);
    Print(CDriverJson("OnNameKeyList").Add("value", value).Add("id", id).Add("field", field).AddJson("keys", json + "]"));
}

void CDriverPlace::OnPlaceFlag(uint32_t value, uint32_t id, uint32_t second, bool flag)
{
    Print(CDriverJson("OnPlaceFlag").Add("value", value).Add("id", id).Add("second", second).Add("flag", flag));
}
