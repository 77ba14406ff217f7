#include "UcmProxyHandshake.h"

#include "UcmHttpConnectHandshake.h"
#include "UcmPostHandshake.h"
#include "UcmSocks4Handshake.h"
#include "UcmSocks5Handshake.h"
#include "ZrServerAddress.h"

std::unique_ptr<CUcmProxyHandshake> CUcmProxyHandshake::Create(const CZrServerAddress& settings,
                                                               const UcmProxyTarget& target)
{
    switch (settings.kind) {
    case CZrServerAddress::kSocks4:
        return std::make_unique<CUcmSocks4Handshake>(target, settings.user);
    case CZrServerAddress::kSocks5:
        return std::make_unique<CUcmSocks5Handshake>(target, settings.authenticate != 0,
                                                     settings.user, settings.password);
    case CZrServerAddress::kHttpConnect:
        return std::make_unique<CUcmHttpConnectHandshake>(target);
    case CZrServerAddress::kHttpPost:
        return std::make_unique<CUcmPostHandshake>(target);
    default:
        return nullptr;
    }
}

CUcmProxyHandshake::CUcmProxyHandshake(const UcmProxyTarget& target)
    : m_target(target), m_phase(kPhaseTcp), m_expected(0), m_status(EUcmProxyStatus::kNeedMore),
      m_code(0)
{
}

int32_t CUcmProxyHandshake::Start(CTvlByteQueue& output)
{
    const int32_t code = QueueFirstRequest(output);
    if (code != 0) {
        m_status = EUcmProxyStatus::kRefused;
        m_code = code;
    }
    return code;
}

UcmProxyProgress CUcmProxyHandshake::Feed(const uint8_t* bytes, uint32_t n, CTvlByteQueue& output)
{
    if (m_status != EUcmProxyStatus::kNeedMore)
        return {m_status, 0, m_code};
    if (n != 0)
        m_reply.insert(m_reply.end(), bytes, bytes + n);
    while (TakeReply(output)) {
    }
    uint32_t consumed = n;
    if (m_status == EUcmProxyStatus::kDone) {
        // Every byte after the last reply arrived in this call: the replies
        // buffered before it were incomplete.
        consumed = n - static_cast<uint32_t>(m_reply.size());
        m_reply.clear();
    }
    return {m_status, consumed, m_code};
}

// Judges the reply at the front of the buffer when it is complete; true when
// a further reply is awaited and the buffer may already hold it.
bool CUcmProxyHandshake::TakeReply(CTvlByteQueue& output)
{
    bool malformed = false;
    const uint32_t length = ReplyLength(m_reply, malformed);
    if (malformed) {
        m_status = EUcmProxyStatus::kRefused;
        m_code = kRefusedCode;
        return false;
    }
    if (length == 0)
        return false;
    const Verdict verdict = OnReply(m_reply.data(), length, output);
    m_reply.erase(m_reply.begin(), m_reply.begin() + length);
    m_status = verdict.status;
    m_code = verdict.code;
    return m_status == EUcmProxyStatus::kNeedMore;
}

uint32_t CUcmProxyHandshake::ReplyLength(const std::vector<uint8_t>& reply, bool&)
{
    return reply.size() >= m_expected ? m_expected : 0;
}

void CUcmProxyHandshake::Await(int32_t phase, uint32_t expected)
{
    m_phase = phase;
    m_expected = expected;
}

void CUcmProxyHandshake::AwaitEmptyLine(int32_t phase)
{
    Await(phase, 0);
}

void CUcmProxyHandshake::QueueBytes(CTvlByteQueue& output, const std::vector<uint8_t>& bytes)
{
    output.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
}

void CUcmProxyHandshake::QueueText(CTvlByteQueue& output, const std::string& text)
{
    output.Write(reinterpret_cast<const uint8_t*>(text.data()), static_cast<uint32_t>(text.size()));
}
