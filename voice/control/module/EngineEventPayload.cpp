#include "EngineEventPayload.h"

#include "SonorelleIfcTypes.h"

namespace {

template <typename Payload> const Payload& As(const void* payload)
{
    return *static_cast<const Payload*>(payload);
}

void AddMessage(const void* payload, CEventArguments& arguments)
{
    const auto& message = As<SonorelleIfcMessagePayload>(payload);
    arguments.Long(message.user);
    arguments.Text(message.name);
    arguments.Text(message.text);
}

} // namespace

bool AddEventPayload(int32_t code, const void* payload, CEventArguments& arguments)
{
    namespace Code = SonorelleIfcEventCode;
    if (code == Code::kJoined)
        return true;
    if (!payload)
        return false;
    switch (code) {
    case Code::kDisconnected:
    case Code::kStatus:
        arguments.Text(As<SonorelleIfcTextPayload>(payload).text);
        return true;
    case Code::kError:
        arguments.Long(As<SonorelleIfcErrorPayload>(payload).code);
        arguments.Text(As<SonorelleIfcErrorPayload>(payload).text);
        return true;
    case Code::kRosterAdd: {
        const auto& roster = As<SonorelleIfcRosterPayload>(payload);
        arguments.Long(roster.user);
        arguments.Text(roster.name);
        arguments.Long(roster.icon);
        return true;
    }
    case Code::kRosterDelete:
    case Code::kInvited:
    case Code::kInvitationDeclined:
        arguments.Long(As<SonorelleIfcLongPayload>(payload).value);
        return true;
    case Code::kInvitationAccepted:
    case Code::kNameChanged:
        arguments.Long(As<SonorelleIfcUserTextPayload>(payload).user);
        arguments.Text(As<SonorelleIfcUserTextPayload>(payload).text);
        return true;
    case Code::kTextMessage:
    case Code::kAppMessage:
    case Code::kWarning:
    case Code::kAppBroadcast:
        AddMessage(payload, arguments);
        return true;
    case Code::kGag:
        arguments.Long(As<SonorelleIfcUserLongPayload>(payload).user);
        arguments.Bool(As<SonorelleIfcUserLongPayload>(payload).value != 0);
        return true;
    case Code::kIconChanged:
        arguments.Long(As<SonorelleIfcUserLongPayload>(payload).user);
        arguments.Long(As<SonorelleIfcUserLongPayload>(payload).value);
        return true;
    case Code::kGagState:
        for (int32_t value : As<SonorelleIfcGagStatePayload>(payload).values)
            arguments.Long(value);
        return true;
    case Code::kRecordPacket: {
        // The engine's byte array, lent for the call.
        VARIANT packet;
        packet.vt = VT_ARRAY | VT_UI1;
        packet.parray = static_cast<SAFEARRAY*>(const_cast<void*>(payload));
        arguments.Variant(packet);
        return true;
    }
    case Code::kPlayStatus: {
        const auto& status = As<SonorelleIfcPlayStatusPayload>(payload);
        arguments.Long(status.playId);
        arguments.Long(status.code);
        arguments.Long(status.value);
        return true;
    }
    default:
        return false;
    }
}
