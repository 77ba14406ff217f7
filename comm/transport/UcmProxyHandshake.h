// CUcmProxyHandshake: the requests and reply checks of one proxy handshake.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TvlByteQueue.h"
#include "TvlObject.h"

class CZrServerAddress;

// The real peer that a proxy is asked to reach.
struct UcmProxyTarget {
    // Host name or dotted address of the peer, as written into requests.
    std::string peerName;
    // IPv4 address in network order, or CTvlIpAddress::kUnknown when the
    // proxy is to resolve the name.
    uint32_t address;
    // Port in network order.
    uint16_t port;
};

enum class EUcmProxyStatus {
    kNeedMore, // waiting for more reply bytes (a next request may be queued)
    kDone,     // the proxy let the connection through
    kRefused,  // refused or malformed; `code` says why
};

// What a handshake made of received bytes.
struct UcmProxyProgress {
    EUcmProxyStatus status;
    // Leading bytes of the input that were proxy replies. After kDone the
    // rest of the input belongs to the session (its first frames).
    uint32_t consumed;
    // Library code when refused, else 0.
    int32_t code;
};

// A connection to a proxy runs one handshake between its TCP connection and
// the moment it counts as connected: Start queues the first request; Feed
// takes every received byte until the handshake is done or refused, and
// queues the next request when the kind has one. Created by Create for the
// record's kind (the primary side of a POST tunnel for kind 4).
class CUcmProxyHandshake : public CTvlObject {
public:
    // Library code of every refusal and malformed reply.
    static constexpr int32_t kRefusedCode = 12;
    // Size of the connection's receive buffer: an HTTP reply header must end
    // within it.
    static constexpr uint32_t kReceiveBufferSize = 8192;

    // Phases of the pending connect record.
    enum Phase : int32_t {
        kPhaseTcp = 0,
        kPhaseConnectReply = 1,
        kPhaseMethodReply = 2,
        kPhaseAuthReply = 3,
        kPhaseHttpConnectReply = 4,
        kPhasePostReply = 5,
    };

    // nullptr for the direct kind and for unknown kinds.
    static std::unique_ptr<CUcmProxyHandshake> Create(const CZrServerAddress& settings,
                                                      const UcmProxyTarget& target);

    CUcmProxyHandshake(const CUcmProxyHandshake&) = delete;
    CUcmProxyHandshake& operator=(const CUcmProxyHandshake&) = delete;

    // Queues the first request. Answers 0, or the refusal code when the
    // request cannot be made from the settings.
    int32_t Start(CTvlByteQueue& output);
    // Takes received bytes. Once done or refused, further bytes are not
    // taken and the outcome is answered again.
    UcmProxyProgress Feed(const uint8_t* bytes, uint32_t n, CTvlByteQueue& output);

    int32_t CurrentPhase() const { return m_phase; }
    EUcmProxyStatus Status() const { return m_status; }

protected:
    explicit CUcmProxyHandshake(const UcmProxyTarget& target);

    // What a complete reply leads to.
    struct Verdict {
        EUcmProxyStatus status;
        int32_t code;
    };
    static Verdict NextReply() { return {EUcmProxyStatus::kNeedMore, 0}; }
    static Verdict Passed() { return {EUcmProxyStatus::kDone, 0}; }
    static Verdict Refused() { return {EUcmProxyStatus::kRefused, kRefusedCode}; }

    // Queues the first request and sets the phase; 0 or a refusal code.
    virtual int32_t QueueFirstRequest(CTvlByteQueue& output) = 0;
    // Length of the reply now awaited when `reply` holds all of it, else 0.
    // Sets `malformed` when the bytes can never become a valid reply. By
    // default the reply is the expected length long.
    virtual uint32_t ReplyLength(const std::vector<uint8_t>& reply, bool& malformed);
    // Judges a complete reply; queues the next request when one follows.
    virtual Verdict OnReply(const uint8_t* reply, uint32_t length, CTvlByteQueue& output) = 0;

    // Waits for a reply of `expected` bytes in `phase` next.
    void Await(int32_t phase, uint32_t expected);
    void AwaitEmptyLine(int32_t phase);

    static void QueueBytes(CTvlByteQueue& output, const std::vector<uint8_t>& bytes);
    static void QueueText(CTvlByteQueue& output, const std::string& text);

    const UcmProxyTarget m_target;

private:
    bool TakeReply(CTvlByteQueue& output);

    int32_t m_phase;
    uint32_t m_expected;
    EUcmProxyStatus m_status;
    int32_t m_code;
    std::vector<uint8_t> m_reply;
};
