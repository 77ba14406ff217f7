#include "FakeUcmPort.h"

#include <algorithm>
#include <cstring>

#include "UcmError.h"

int32_t CFakeUcmPort::Failure(int32_t error)
{
    lastError = error;
    return -1;
}

UcmSocketHandle CFakeUcmPort::CreateSocket()
{
    if (createError != 0) {
        lastError = createError;
        return kUcmNoSocket;
    }
    return nextSocket++;
}

void CFakeUcmPort::CloseSocket(UcmSocketHandle socket)
{
    closed.push_back(socket);
}

int32_t CFakeUcmPort::ShutdownSend(UcmSocketHandle socket)
{
    if (shutdownError != 0)
        return Failure(shutdownError);
    shutdowns.push_back(socket);
    return 0;
}

int32_t CFakeUcmPort::Connect(UcmSocketHandle, uint32_t address, uint16_t port)
{
    connectedAddress = address;
    connectedPort = port;
    return connectError == 0 ? 0 : Failure(connectError);
}

int32_t CFakeUcmPort::Receive(UcmSocketHandle, uint8_t* buffer, uint32_t length)
{
    if (input.empty())
        return Failure(UcmSys::kWouldBlock);
    Step& step = input.front();
    if (step.kind == Step::kError) {
        const int32_t error = step.error;
        input.pop_front();
        return Failure(error);
    }
    if (step.kind == Step::kClosed)
        return 0;
    const uint32_t n = std::min<uint32_t>(length, static_cast<uint32_t>(step.bytes.size()));
    std::memcpy(buffer, step.bytes.data(), n);
    step.bytes.erase(step.bytes.begin(), step.bytes.begin() + n);
    if (step.bytes.empty())
        input.pop_front();
    return static_cast<int32_t>(n);
}

int32_t CFakeUcmPort::Send(UcmSocketHandle, const uint8_t* bytes, uint32_t length)
{
    if (sendError != 0)
        return Failure(sendError);
    if (sendsBeforeBlock == 0)
        return Failure(UcmSys::kWouldBlock);
    if (sendsBeforeBlock > 0)
        --sendsBeforeBlock;
    const uint32_t n = sendLimit == 0 ? length : std::min(length, sendLimit);
    sent.insert(sent.end(), bytes, bytes + n);
    sendSizes.push_back(n);
    return static_cast<int32_t>(n);
}

int32_t CFakeUcmPort::Select(UcmSocketHandle, uint32_t mask)
{
    if (selectError != 0)
        return Failure(selectError);
    selects.push_back(mask);
    return 0;
}

void CFakeUcmPort::PostStart(UcmSocketHandle socket)
{
    started.push_back(socket);
}

int32_t CFakeUcmPort::StartLookup(const char*, uint64_t& handle)
{
    if (lookupError != 0)
        return Failure(lookupError);
    handle = nextLookup++;
    return 0;
}

void CFakeUcmPort::CancelLookup(uint64_t handle)
{
    cancelled.push_back(handle);
}
