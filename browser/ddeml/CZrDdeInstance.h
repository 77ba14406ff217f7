// One instance of the platform's DDE management library, in either role: it
// serves the topics of its service names and takes part in conversations.
// All instances of the process share one callback, which finds the instance
// of a transaction by its service name or conversation handle.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CZrDdeConversation.h"

class CZrDdeInstance
{
public:
    // Handlers of incoming transactions.
    enum class Mode
    {
        Server,          // the served topics decide
        AcceptingClient, // any topic is accepted, requests and pokes go to the holder
    };

    explicit CZrDdeInstance(Mode mode = Mode::Server) : m_mode(mode) {}
    virtual ~CZrDdeInstance();
    CZrDdeInstance(const CZrDdeInstance&) = delete;
    CZrDdeInstance& operator=(const CZrDdeInstance&) = delete;

    // Initialises the instance and, with a non-empty name, registers that
    // service name. An instance that is set up is shut down first.
    bool SetUp(const std::string& serviceName);
    void ShutDown();
    bool IsSetUp() const { return m_setUp; }
    DWORD GetId() const { return m_id; }
    UINT LastDdeError() const;

    // A further service name of this instance (only while set up).
    bool RegisterName(const std::string& name);
    bool UnregisterName(const std::string& name);

    // Connects a new conversation and keeps it; null on failure.
    CZrDdeConversation* Connect(const std::string& service, const std::string& topic,
                                uint32_t clientId);
    // Ends the conversation and forgets it.
    void Release(CZrDdeConversation* conversation);
    // The other program ended the conversation: it is forgotten and the
    // disconnect handler runs. Also for platforms that report the end only
    // through the conversation's state.
    void OnEndedByPeer(CZrDdeConversation* conversation);
    CZrDdeConversation* FindConversation(uint32_t clientId) const;
    std::vector<CZrDdeConversation*> GetConversations() const;

    // String handles of this instance, in the ANSI code page.
    HSZ MakeHandle(const std::string& text) const;
    void FreeHandle(HSZ handle) const;
    // The text of a string handle: "<null>" for none, "<error>" when unreadable.
    std::string HandleText(HSZ handle) const;

    void Trace(const char* format, ...) __attribute__((format(printf, 2, 3)));

protected:
    virtual void OnTrace(const std::string& line) { (void)line; }

    // Server handler steps; by default nothing is served.
    virtual bool HasTopic(const std::string& topic) const { (void)topic; return false; }
    virtual bool AcceptsAdvise(const std::string& topic, const std::string& item, UINT format) const;
    virtual const std::vector<uint8_t>* GetPostedData(const std::string& topic,
                                                      const std::string& item) const;
    virtual bool Request(const std::string& topic, const std::string& item,
                         std::vector<uint8_t>& answer);
    // DDE_FACK when the poke was taken, else DDE_FNOTPROCESSED.
    virtual UINT Poke(const std::string& topic, const std::string& item, const uint8_t* data,
                      uint32_t size);

    // Accepting-client handler steps.
    virtual bool PeerRequest(const std::string& topic, const std::string& item,
                             std::vector<uint8_t>& answer);
    virtual void PeerPoke(const std::string& topic, const std::string& item, const uint8_t* data,
                          uint32_t size);

    virtual void OnConnected(const std::string& topic) { (void)topic; }
    virtual void OnDisconnected(const std::string& topic) { (void)topic; }
    virtual void OnServiceRegistered(const std::string& name) { (void)name; }
    virtual void OnServiceUnregistered(const std::string& name) { (void)name; }

private:
    struct Transaction
    {
        UINT type;
        UINT format;
        HCONV conversation;
        HSZ topic;
        HSZ item;
        HDDEDATA data;
    };
    struct RegisteredName
    {
        std::string name;
        HSZ handle;
    };

    static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conversation, HSZ hsz1,
                                      HSZ hsz2, HDDEDATA data, ULONG_PTR data1, ULONG_PTR data2);
    static CZrDdeInstance* FindInstance(const Transaction& transaction);
    static void NotifyRegistration(const Transaction& transaction);

    HDDEDATA HandleServer(const Transaction& transaction);
    HDDEDATA HandleAcceptingClient(const Transaction& transaction);
    HDDEDATA ConfirmConnection(const Transaction& transaction);
    HDDEDATA EndConversation(const Transaction& transaction);
    HDDEDATA AnswerAdvise(const Transaction& transaction);
    HDDEDATA AnswerRequest(const Transaction& transaction);
    HDDEDATA TakePoke(const Transaction& transaction);
    HDDEDATA AnswerPeerRequest(const Transaction& transaction);
    HDDEDATA TakePeerPoke(const Transaction& transaction);
    HDDEDATA MakeData(const std::vector<uint8_t>& bytes, const Transaction& transaction) const;
    // False when the data is larger than the layer takes from another program.
    bool CopyData(HDDEDATA data, std::vector<uint8_t>& bytes) const;

    void Adopt(std::unique_ptr<CZrDdeConversation> conversation);
    CZrDdeConversation* FindConversation(HCONV handle) const;
    void ReleaseAll();
    void UnregisterAllNames();

    Mode m_mode;
    DWORD m_id = 0;
    bool m_setUp = false;
    std::vector<RegisteredName> m_names;
    std::vector<std::unique_ptr<CZrDdeConversation>> m_conversations;
};
