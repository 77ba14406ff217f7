#include "ZrPlace.h"

#include "TvlBlob.h"
#include "TvlLog.h"
#include "ZrPerson.h"

namespace {

constexpr char kFile[] = "ZrPlace";
constexpr int32_t kLineGroup1024 = 56;
constexpr int32_t kLineGroup1025 = 58;
constexpr int32_t kLinePerson = 73;
constexpr int32_t kLineGroup = 82;
constexpr int32_t kLineBlob = 91;
constexpr uint16_t kPlaceCapacity = 2;

bool IsFreeGroup(const CZrGroup* group)
{
    return group && group->GetId() == 0 && !group->GetParent();
}

} // namespace

CZrPlace::CZrPlace(CZrGroup* group1024, CZrGroup* group1025, CTvlObject* owner)
    : CZrGroup(owner), m_number(1), m_firstValue(0), m_secondValue(0), m_group1024(group1024),
      m_group1025(group1025)
{
    if (!IsFreeGroup(group1024))
        TvlFatal(kLineGroup1024, kFile);
    if (!IsFreeGroup(group1025))
        TvlFatal(kLineGroup1025, kFile);
    SetKind(kKind);
    SetCapacity(kPlaceCapacity);
    AddChild(group1024);
    AddChild(group1025);
    group1024->SetKind(kZrKindGroup1024);
    group1025->SetKind(kZrKindGroup1025);
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
