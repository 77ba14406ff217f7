// Every proxy reply parser fed arbitrary replies, whole and in chunks.
//
// Input byte 0 chooses the handshake (kind, authentication, target by
// address or by name, primary or secondary POST side), byte 1 the chunk
// sizes; the rest is what the proxy sends. Both feedings must agree on the
// outcome, the code, the bytes consumed and every request queued, and no
// feed may take more bytes than it was given.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "ProxyBytes.h"
#include "TvlIpAddress.h"
#include "TvlLog.h"
#include "TvlLogSink.h"
#include "UcmPostHandshake.h"
#include "UcmProxyHandshake.h"
#include "ZrServerAddress.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

class CSilentSink : public ITvlLogSink {
public:
    void Log(const char*, const char*, const char*) override {}
    void Trace(const char*) override {}
};

struct Outcome {
    EUcmProxyStatus status = EUcmProxyStatus::kNeedMore;
    int32_t code = 0;
    uint32_t consumed = 0;
    ProxyBytes sent;
};

UcmProxyTarget Target(uint8_t choice)
{
    const uint8_t octets[4] = {10, 0, 0, 7};
    uint32_t address;
    std::memcpy(&address, octets, sizeof address);
    return {"zr.example", (choice & 0x08) ? CTvlIpAddress::kUnknown : address, TvlPortToNet(1533)};
}

std::unique_ptr<CUcmProxyHandshake> Make(uint8_t choice, CTvlByteQueue& batch)
{
    const int32_t kind = 1 + choice % 5;
    if (kind == 5) {
        const ProxyBytes frame = Hex("00 00 00 02 AB CD");
        batch.Write(frame.data(), static_cast<uint32_t>(frame.size()));
        return std::make_unique<CUcmPostHandshake>(Target(choice), 0x5A000001, batch);
    }
    CZrServerAddress settings(1533);
    settings.kind = kind;
    settings.proxyAddress = 0x0100007F;
    settings.authenticate = (choice & 0x10) ? 1 : 0;
    settings.user = (choice & 0x20) ? "user" : "";
    settings.password = "pw";
    return CUcmProxyHandshake::Create(settings, Target(choice));
}

Outcome Run(uint8_t choice, uint8_t chunking, const uint8_t* reply, size_t size)
{
    Outcome outcome;
    CTvlByteQueue batch, output;
    auto handshake = Make(choice, batch);
    Check(handshake != nullptr);
    outcome.code = handshake->Start(output);
    size_t at = 0;
    uint32_t step = 0;
    while (at < size && handshake->Status() == EUcmProxyStatus::kNeedMore) {
        const size_t chunk = chunking == 0 ? size - at : std::min<size_t>(size - at, 1 + (chunking + step++) % 17);
        const UcmProxyProgress progress = handshake->Feed(reply + at, static_cast<uint32_t>(chunk), output);
        Check(progress.consumed <= chunk);
        Check(progress.status == EUcmProxyStatus::kDone || progress.consumed == chunk);
        Check(handshake->CurrentPhase() >= 0 && handshake->CurrentPhase() <= 5);
        outcome.consumed += progress.consumed;
        outcome.status = progress.status;
        outcome.code = progress.code;
        at += chunk;
    }
    if (handshake->Status() != EUcmProxyStatus::kNeedMore) {
        const UcmProxyProgress again = handshake->Feed(reply, static_cast<uint32_t>(size), output);
        Check(again.consumed == 0 && again.status == handshake->Status());
    }
    outcome.status = handshake->Status();
    outcome.sent = Drain(output);
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CSilentSink sink;
    TvlSetLogSink(&sink);
    if (size < 2)
        return 0;
    const uint8_t choice = data[0];
    const uint8_t chunking = static_cast<uint8_t>(data[1] | 1);
    const Outcome whole = Run(choice, 0, data + 2, size - 2);
    const Outcome chunked = Run(choice, chunking, data + 2, size - 2);
    Check(whole.status == chunked.status);
    Check(whole.code == chunked.code);
    Check(whole.sent == chunked.sent);
    if (whole.status == EUcmProxyStatus::kDone)
        Check(whole.consumed == chunked.consumed);
    return 0;
}
