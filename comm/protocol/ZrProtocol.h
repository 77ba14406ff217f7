// CZrProtocol: the process-wide protocol handler: the list of live sessions
// and the decoders of the message types that carry values for a place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "TvlObject.h"
#include "ZrSessionHandler.h"

class CBroadcastInfo;
class CTvlBlob;
class TvlNdr;

// Constructing the handler makes it the singleton; destroying it closes
// every session with reason 0 and clears the singleton. The decoders read the
// leading fields of their type and call the operation of that type, which
// the client's subclass implements; each answers the (module, error) pair of
// a malformed message, or none.
class CZrProtocol : public CTvlObject, public IZrSessionHandler {
public:
    // Registrations a session keeps when none is configured.
    static constexpr uint32_t kDefaultRegistrationLimit = 100;

    explicit CZrProtocol(uint32_t registrationLimit);
    ~CZrProtocol() override;

    static CZrProtocol* Instance();
    // The registration limit of the singleton, or the default without one.
    static uint32_t RegistrationLimit();

    bool IsDestroying() const { return m_destroying != 0; }
    const std::vector<CZrSession*>& Sessions() const { return m_sessions; }

    // IZrSessionHandler
    void OnSessionOpened(CZrSession& session) override;
    void OnSessionClosed(CZrSession& session, int32_t reason) override;
    ZrProtocolError OnChannelMessage(CZrChannel& channel, CZrMessageReader& reader) override;
    ZrProtocolError OnRefusedMessage(CZrChannel& channel, CZrMessageReader& reader) override;
    void OnChannelOpened(CZrChannel& defaultChannel, CZrChannel& channel) override;
    void OnChannelOffer(CZrChannel& defaultChannel, uint32_t id, uint32_t value, const std::string& name,
                        CZrMessageReader& reader) override;

protected:
    // Closes every session once; the destructor of a subclass calls it
    // first, so that no session reaches a half-destroyed handler.
    void Shutdown();

    // Operations of the decoded types; the reader stands after the fields
    // the decoder read.
    virtual ZrProtocolError OnText(CZrChannel& channel, uint32_t recipient, const std::string& text,
                                   const CTvlBlob& blob, CZrMessageReader& reader) = 0;
    virtual ZrProtocolError OnBroadcast(CZrChannel& channel, uint32_t recipient, const CBroadcastInfo& record) = 0;
    virtual ZrProtocolError OnPersonDescriptions(CZrChannel& channel, uint32_t recipient, uint32_t id,
                                                 CZrMessageReader& reader) = 0;
    virtual ZrProtocolError OnPersonPicture(CZrChannel& channel, uint32_t recipient, uint32_t person,
                                            CZrMessageReader& reader) = 0;
    virtual ZrProtocolError OnObjectDescription(CZrChannel& channel, uint32_t recipient, const uint32_t (&values)[4],
                                                CZrMessageReader& reader) = 0;
    virtual ZrProtocolError OnPlaceList(CZrChannel& channel, uint32_t recipient, uint32_t value,
                                        CZrMessageReader& reader) = 0;
    virtual ZrProtocolError OnPlaceDescriptions(CZrChannel& channel, uint32_t recipient, uint32_t first,
                                                uint32_t second, bool flag, CZrMessageReader& reader) = 0;
    virtual ZrProtocolError OnServiceReply(CZrChannel& channel, uint32_t recipient, uint32_t id, uint32_t mode,
                                           const std::string& text, const CTvlBlob& blob, CZrMessageReader& reader) = 0;
    virtual ZrProtocolError OnGameNotice(CZrChannel& channel, uint32_t recipient, uint32_t id, uint32_t mode,
                                         const std::string& text, const CTvlBlob& blob, uint32_t member) = 0;
    virtual ZrProtocolError OnKindChanged(CZrChannel& channel, uint32_t recipient, uint32_t kind) = 0;
    // Types that go to the handlers without a decoder.
    virtual ZrProtocolError OnHandlerMessage(CZrChannel& channel, CZrMessageReader& reader) = 0;
    // Type 14, handled in the base: the link named by the object (or by the
    // key when the object is 0) is removed with the code.
    ZrProtocolError OnLinkClosed(CZrChannel& channel, CZrMessageReader& reader);

private:
    ZrProtocolError Decode(CZrChannel& channel, CZrMessageReader& reader);

    int32_t m_destroying;
    std::vector<CZrSession*> m_sessions;
    uint32_t m_registrationLimit;
};
