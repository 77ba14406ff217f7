// Holder of DDE conversations that this program opens with other programs.
// A holder made to accept also answers conversations that other programs open
// with it under the name given to Init. Derived classes override the
// handlers.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CZrDdeClientInstance;
class CZrDdeConversation;

class CZrDdeClient
{
public:
    enum class Accepting
    {
        No,
        Yes,
    };

    explicit CZrDdeClient(Accepting accepting = Accepting::No);
    virtual ~CZrDdeClient();
    CZrDdeClient(const CZrDdeClient&) = delete;
    CZrDdeClient& operator=(const CZrDdeClient&) = delete;

    // Makes a new instance, set up under the name when one is given (an
    // accepting holder answers under exactly that name).
    bool Init(const std::string& name);
    // Ends every conversation and the instance.
    void Close();
    bool IsOpen() const;

    // Opens a conversation. With an id out-argument the new id is stored
    // there; without one the conversation becomes the current one.
    bool Connect(const std::string& service, const std::string& topic, uint32_t* id = nullptr);
    // With an id: ends that conversation. With 0: ends them all.
    bool Disconnect(uint32_t id = 0);

    // Transactions on the conversation with the id, or on the current one for
    // 0; false when there is none or the other program fails or times out.
    bool Poke(const std::string& item, const uint8_t* data, uint32_t size, uint32_t id = 0);
    bool Execute(const std::string& command, uint32_t id = 0);
    bool Request(const std::string& item, std::vector<uint8_t>& data, uint32_t id = 0);
    bool AdviseStart(const std::string& item, uint32_t id = 0);

    // The platform's last DDE error of the instance.
    unsigned LastDdeError() const;

protected:
    virtual void OnTrace(const std::string& line) { (void)line; }
    virtual void OnDisconnected(const std::string& topic) { (void)topic; }
    // An answer to another program's request; empty or false: none.
    virtual bool OnPeerRequest(const std::string& topic, const std::string& item,
                               std::vector<uint8_t>& answer)
    {
        (void)topic;
        (void)item;
        (void)answer;
        return false;
    }
    virtual void OnPeerPoke(const std::string& topic, const std::string& item,
                            const uint8_t* data, uint32_t size)
    {
        (void)topic;
        (void)item;
        (void)data;
        (void)size;
    }

private:
    friend class CZrDdeClientInstance;

    // Null when there is none, or when the other program has ended it.
    CZrDdeConversation* FindConversation(uint32_t id);
    uint32_t NextId();

    Accepting m_accepting;
    std::unique_ptr<CZrDdeClientInstance> m_instance;
    uint32_t m_currentId = 0;
    uint32_t m_lastId = 0;
};
