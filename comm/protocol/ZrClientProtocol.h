// CZrClientProtocol: the client's protocol handler: the hello check and the
// handlers that find the place a message is about and raise its event.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "ZrProtocol.h"

class CZrClientPlace;
class IZrHelloCheck;
class IZrPlaceConnection;

// Creates the socket manager's hidden window with the class name; false
// when it cannot. The Win32 layer supplies it; portable code only calls it.
using ZrSocketWindowCreator = std::function<bool(const std::string& className)>;

class CZrClientProtocol : public CZrProtocol {
public:
    static constexpr int32_t kWrongMajor = 202;

    explicit CZrClientProtocol(uint32_t registrationLimit);
    ~CZrClientProtocol() override;

    // IZrSessionHandler
    int32_t OnHello(CZrChannel& channel, CZrMessageReader& reader) override;
    int32_t OnResumedHello(CZrChannel& channel, CZrMessageReader& reader, uint32_t& received) override;

    // The place whose link on the channel has the recipient as its person,
    // or nullptr.
    static CZrClientPlace* PlaceByRecipient(CZrChannel& channel, uint32_t recipient);
    static CZrClientPlace* PlaceByKey(CZrChannel& channel, uint16_t key);

protected:
    // The server connection of the channel's session: by default its owner
    // when the owner implements the interface, else nullptr (the hello is
    // then accepted as it is, and references are only passed on).
    virtual IZrPlaceConnection* ConnectionFor(CZrChannel& channel);
    virtual IZrHelloCheck* HelloCheckFor(CZrChannel& channel);

    ZrProtocolError OnText(CZrChannel& channel, uint32_t recipient, const std::string& text, const CTvlBlob& blob,
                           CZrMessageReader& reader) override;
    ZrProtocolError OnBroadcast(CZrChannel& channel, uint32_t recipient, const CBroadcastInfo& record) override;
    ZrProtocolError OnPersonDescriptions(CZrChannel& channel, uint32_t recipient, uint32_t id,
                                         CZrMessageReader& reader) override;
    ZrProtocolError OnPersonPicture(CZrChannel& channel, uint32_t recipient, uint32_t person,
                                    CZrMessageReader& reader) override;
    ZrProtocolError OnObjectDescription(CZrChannel& channel, uint32_t recipient, const uint32_t (&values)[4],
                                        CZrMessageReader& reader) override;
    ZrProtocolError OnPlaceList(CZrChannel& channel, uint32_t recipient, uint32_t value,
                                CZrMessageReader& reader) override;
    ZrProtocolError OnPlaceDescriptions(CZrChannel& channel, uint32_t recipient, uint32_t first, uint32_t second,
                                        bool flag, CZrMessageReader& reader) override;
    ZrProtocolError OnServiceReply(CZrChannel& channel, uint32_t recipient, uint32_t id, uint32_t mode,
                                   const std::string& text, const CTvlBlob& blob, CZrMessageReader& reader) override;
    ZrProtocolError OnGameNotice(CZrChannel& channel, uint32_t recipient, uint32_t id, uint32_t mode,
                                 const std::string& text, const CTvlBlob& blob, uint32_t member) override;
    ZrProtocolError OnKindChanged(CZrChannel& channel, uint32_t recipient, uint32_t kind) override;
    ZrProtocolError OnHandlerMessage(CZrChannel& channel, CZrMessageReader& reader) override;

private:
    ZrProtocolError OnWelcome(CZrChannel& channel, CZrMessageReader& reader);
    ZrProtocolError OnRecipientValues(CZrChannel& channel, CZrMessageReader& reader);
    ZrProtocolError OnMemberAction(CZrChannel& channel, CZrMessageReader& reader);
    ZrProtocolError OnReferenceAdded(CZrChannel& channel, CZrMessageReader& reader);
    ZrProtocolError OnReferenceRemoved(CZrChannel& channel, CZrMessageReader& reader);
    ZrProtocolError OnServerText(CZrChannel& channel, CZrMessageReader& reader);
};

// Creates the client's protocol handler once: 101 when one exists already,
// 1 when the socket window cannot be made, else 0. The third value has no
// effect.
int32_t ZrCreateProtocolSingleton(uint32_t registrationLimit, const std::string& className, uint32_t unused,
                                  const ZrSocketWindowCreator& createWindow);
// Shuts the handler down and deletes it when it exists.
void ZrDestroyProtocolSingleton();
