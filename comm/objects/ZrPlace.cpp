#include "ZrPlace.h"

#include "TvlBlob.h"
#include "TvlLog.h"
#include "ZrPerson.h"

namespace {

constexpr char kFile[] = "ZrPlace";
constexpr int32_t kLineRoom = 56;
constexpr int32_t kLineCorridor = 58;
constexpr int32_t kLinePerson = 73;
constexpr int32_t kLineGroup = 82;
constexpr int32_t kLineBlob = 91;
constexpr uint16_t kPlaceCapacity = 2;

bool IsFreeGroup(const CZrGroup* group)
{
    return group && group->GetId() == 0 && !group->GetParent();
}

} // namespace

CZrPlace::CZrPlace(CZrGroup* room, CZrGroup* corridor, CTvlObject* owner)
    : CZrGroup(owner), m_number(1), m_firstValue(0), m_secondValue(0), m_room(room),
      m_corridor(corridor)
{
    if (!IsFreeGroup(room))
        TvlFatal(kLineRoom, kFile);
    if (!IsFreeGroup(corridor))
        TvlFatal(kLineCorridor, kFile);
    SetKind(kKind);
    SetCapacity(kPlaceCapacity);
    AddChild(room);
    AddChild(corridor);
    room->SetKind(kZrKindRoom);
    corridor->SetKind(kZrKindCorridor);
    GetGroupInfo().SetFlags(GetGroupInfo().GetFlags() | CZrGroupInfo::kPlaceInfo);
}

CZrPlace::~CZrPlace() = default;

CZrPerson* CZrPlace::CreatePerson()
{
    return new CZrPerson;
}

CZrGroup* CZrPlace::CreateGroup(uint32_t)
{
    return new CZrGroup;
}

CTvlBlob* CZrPlace::CreateBlob()
{
    return new CTvlBlob;
}

void CZrPlace::OnEntering(CZrObject*, const std::string&, const CZrPlaceSelector&) {}

CZrPerson* CZrPlace::NewPerson(uint32_t kind)
{
    CZrPerson* person = CreatePerson();
    if (!person)
        TvlFatal(kLinePerson, kFile);
    person->SetKind(kind);
    return person;
}

CZrGroup* CZrPlace::NewGroup(uint32_t kind)
{
    CZrGroup* group = CreateGroup(kind);
    if (!group || group->IsRoot())
        TvlFatal(kLineGroup, kFile);
    group->SetKind(kind);
    return group;
}

CTvlBlob* CZrPlace::NewBlob()
{
    CTvlBlob* blob = CreateBlob();
    if (!blob)
        TvlFatal(kLineBlob, kFile);
    return blob;
}

bool CZrPlace::RegisterMember(uint32_t, CZrMemberHandle&)
{
    return true;
}

void CZrPlace::SetPlaceData(uint8_t number, const std::string& title, uint16_t first, uint16_t second,
                            const std::string& location)
{
    m_number = number;
    m_title = title;
    m_firstValue = first;
    m_secondValue = second;
    m_location = location;
}
