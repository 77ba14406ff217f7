// One DDE conversation of an instance: made when this program connects to a
// service, or when another program connects to this one's service.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include <cstdint>
#include <string>
#include <vector>

class CZrDdeInstance;

class CZrDdeConversation
{
public:
    // Every transaction waits at most this long for the other program.
    static constexpr DWORD kTimeoutMs = 5000;
    // The largest data taken from another program, answer or poke.
    static constexpr DWORD kMaxDataSize = 1024 * 1024;

    // clientId is 0 for a conversation that another program opened.
    CZrDdeConversation(CZrDdeInstance& instance, std::string topic, uint32_t clientId,
                       HCONV handle = nullptr);
    ~CZrDdeConversation();
    CZrDdeConversation(const CZrDdeConversation&) = delete;
    CZrDdeConversation& operator=(const CZrDdeConversation&) = delete;

    // Fails when already connected or when the instance is not set up.
    bool Connect(const std::string& service);
    // Ends the conversation unless the other side already ended it.
    void Disconnect();
    // The other side ended the conversation: its handle is void.
    void Forget() { m_handle = nullptr; }
    // False once either side has ended the conversation. Messages that
    // arrived for it are handled first.
    bool IsConnected() const;

    // A copy of the answer in CF_TEXT; empty on failure.
    bool Request(const std::string& item, std::vector<uint8_t>& data);
    bool AdviseStart(const std::string& item);
    bool Poke(UINT format, const std::string& item, const uint8_t* data, uint32_t size);
    // Sends the text and its NUL.
    bool Execute(const std::string& command);

    HCONV GetHandle() const { return m_handle; }
    const std::string& GetTopic() const { return m_topic; }
    uint32_t GetClientId() const { return m_clientId; }

private:
    // Hands messages that reached the conversation's window after its last
    // transaction ended (the answer of a request that timed out, or a second
    // acknowledgement that some DDE implementations send after an answer) to
    // the platform, so that none is taken as the reply to the next one.
    void DispatchLateReplies() const;
    HDDEDATA Transact(const std::string& item, UINT format, UINT type, const uint8_t* data,
                      DWORD size, DWORD* status = nullptr);
    // True only when the other program acknowledged the transaction.
    bool TransactAcknowledged(const std::string& item, UINT format, UINT type,
                              const uint8_t* data, DWORD size);

    CZrDdeInstance& m_instance;
    HCONV m_handle;
    std::string m_topic;
    uint32_t m_clientId;
};
