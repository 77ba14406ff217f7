#include "UcmHttpConnectHandshake.h"

#include "TvlDebugSwitch.h"

CUcmHttpConnectHandshake::CUcmHttpConnectHandshake(const UcmProxyTarget& target)
    : CUcmHttpHandshake(target, 0)
{
}

int32_t CUcmHttpConnectHandshake::QueueFirstRequest(CTvlByteQueue& output)
{
    if (!IsNameWritable()) {
        TvlTraces().ucmDebug.Trace("HTTP connect request impossible for this host name");
        return kRefusedCode;
    }
    QueueText(output, "CONNECT " + TargetText() + " HTTP/1.0\r\n\r\n");
    AwaitEmptyLine(kPhaseHttpConnectReply);
    return 0;
}

CUcmProxyHandshake::Verdict CUcmHttpConnectHandshake::OnReply(const uint8_t* reply, uint32_t length,
                                                              CTvlByteQueue&)
{
    if (IsGranted(reply, length, true))
        return Passed();
    TvlTraces().ucmDebug.Trace("HTTP connect denied");
    return Refused();
}
