#include "ZrPerson.h"

#include "TvlNdr.h"
#include "ZrGroup.h"
#include "ZrPersonLink.h"
#include "ZrTreeHost.h"

CZrPerson::CZrPerson(CTvlObject* owner, std::unique_ptr<CZrPersonInfo> info)
    : CZrObject(kZrKindPerson, info ? std::move(info) : std::make_unique<CZrPersonInfo>(), owner),
      m_nameTag(1), m_link(nullptr), m_targetPending(0), m_active(1)
{
}

CZrPerson::~CZrPerson() = default;

int32_t CZrPerson::GetPersonCount() const
{
    return 1;
}

void CZrPerson::Marshal(TvlNdr& writer) const
{
    CZrObject::Marshal(writer);
    writer.PutByte(m_nameTag);
    m_flags.Write(writer);
}

bool CZrPerson::Unmarshal(TvlNdr& reader, const CZrReadContext& context)
{
    return CZrObject::Unmarshal(reader, context) && reader.GetByte(m_nameTag) && m_flags.Read(reader);
}

bool CZrPerson::Send(TvlNdr& message)
{
    return m_link && m_link->SendStamped(message);
}

void CZrPerson::OnGroupRefused(uint32_t) {}
void CZrPerson::OnAlerted(CZrObject*) {}
void CZrPerson::OnHostGained() {}
void CZrPerson::OnHostLost() {}
void CZrPerson::OnNotice(uint32_t) {}
void CZrPerson::OnTargeted(CZrObject*) {}
void CZrPerson::OnTargetCleared() {}
void CZrPerson::OnPaired(CZrObject*, const CZrPosition&, uint32_t) {}
void CZrPerson::OnGroupCreated(uint32_t) {}
void CZrPerson::OnRequestError(uint32_t, uint32_t, uint32_t) {}
void CZrPerson::OnDataReset(const CTvlBlob*) {}
void CZrPerson::OnDataRefused(uint32_t) {}
void CZrPerson::OnInfoChanged() {}
void CZrPerson::OnFlagsChanged(CZrMemberFlags) {}
void CZrPerson::OnPlaced(CZrObject*, const CZrPosition&) {}
void CZrPerson::OnReturned(CZrObject*, const CZrPosition&) {}
void CZrPerson::OnSignal(uint32_t) {}
void CZrPerson::OnKindChanged(uint32_t) {}

CZrPersonInfo& CZrPerson::GetPersonInfo() const
{
    return static_cast<CZrPersonInfo&>(GetInfo());
}

bool CZrPerson::IsConnected()
{
    const CZrObject* root = FindRoot();
    return m_link && root && root->GetId() != 0;
}

void CZrPerson::DropChannel()
{
    IZrPersonLink* link = m_link;
    m_link = nullptr;
    if (link)
        link->ReleaseFromPerson();
}

bool CZrPerson::IsHostOfParent() const
{
    return GetParent() && GetParent()->GetHost() == this;
}

void CZrPerson::SetIdentity(const std::string& fullName, const std::string& location, const std::string& email)
{
    CZrPersonInfo& info = GetPersonInfo();
    info.SetFullName(fullName);
    info.SetLocation(location);
    info.SetEmail(email);
    OnInfoChanged();
}

void CZrPerson::SetFlags(CZrMemberFlags flags)
{
    const CZrMemberFlags old = m_flags;
    m_flags = flags;
    OnFlagsChanged(old);
}

void CZrPerson::MoveTo(CZrGroup& newParent, const CZrPosition& position)
{
    CZrGroup* oldParent = GetParent();
    const CZrPosition oldPosition = GetPosition();
    if (oldParent)
        oldParent->RemoveChild(this);
    SetPosition(position);
    newParent.AddChild(this);
    OnPlaced(oldParent, oldPosition);
}

// The person leaves its parent, loses its position, joins group 1025 and
// hears OnReturned; the old parent may then dissolve.
bool CZrPerson::ReturnToPlace()
{
    IZrTreeHost* host = FindTreeHost();
    CZrGroup* corridor = host ? host->GetCorridor() : nullptr;
    CZrGroup* oldParent = GetParent();
    if (!corridor || !oldParent)
        return false;
    const CZrPosition oldPosition = GetPosition();
    const bool wasHost = oldParent->GetHost() == this;
    oldParent->RemoveChild(this);
    SetPosition(CZrPosition());
    corridor->AddChild(this);
    OnReturned(oldParent, oldPosition);
    oldParent->Dissolve(wasHost);
    return true;
}

bool CZrPerson::TakePending(CZrMemberHandle& record)
{
    if (m_pending.empty())
        return false;
    record = m_pending.front();
    m_pending.pop_front();
    return true;
}
