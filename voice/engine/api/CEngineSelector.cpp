#include "CEngineSelector.h"

#include "EngineParameterTable.h"

namespace {

const char* OrEmpty(const char* text)
{
    return text ? text : "";
}

template <typename Record>
const Record* As(void* arguments)
{
    return static_cast<const Record*>(arguments);
}

} // namespace

CEngineSelector::CEngineSelector(CEngineInstanceList& instances, IEngineServices& services,
                                 RefusalHandler onRefused)
    : m_instances(instances), m_services(services), m_onRefused(std::move(onRefused))
{
}

int32_t CEngineSelector::Run(const SonorelleIfcSelectorBlock* block)
{
    if (!block)
        return 0;
    if (block->operation == SonorelleIfcOp::kCreateInstance)
        return Create(block->instance, As<SonorelleIfcCreateArgs>(block->arguments));
    CEngineInstance* instance = m_instances.Find(block->instance);
    if (!instance)
        return 0;
    return RunOn(*instance, block->operation, block->arguments);
}

int32_t CEngineSelector::Create(void* handle, const SonorelleIfcCreateArgs* args)
{
    if (!args)
        return 0;
    if (m_instances.Create(handle, args->kind, args->sdk != 0))
        return 1;
    if (m_onRefused)
        m_onRefused(handle);
    return 0;
}

int32_t CEngineSelector::RunOn(CEngineInstance& instance, int32_t operation, void* arguments)
{
    if (operation == SonorelleIfcOp::kStopRecord)
        return instance.StopRecord();
    if (!arguments)
        return 0;
    switch (operation) {
    case SonorelleIfcOp::kPlayWaveFile:
        return instance.PlayWaveFile(*As<SonorelleIfcPlayFileArgs>(arguments));
    case SonorelleIfcOp::kPlayWaveResource: {
        const auto* play = As<SonorelleIfcPlayResourceArgs>(arguments);
        return instance.PlayWaveResource(
            play->module, play->name,
            {play->playId, play->checkFormat, play->repeat, play->destination, play->pause});
    }
    case SonorelleIfcOp::kPlayWavePacket: {
        const auto* play = As<SonorelleIfcPlayPacketArgs>(arguments);
        return instance.PlayWaveArray(play->array, false,
                                      {0, 0, play->repeat, play->destination, play->pause});
    }
    case SonorelleIfcOp::kPlayWaveBuffer: {
        const auto* play = As<SonorelleIfcPlayBufferArgs>(arguments);
        return instance.PlayWaveArray(
            play->array, true,
            {play->playId, play->checkFormat, play->repeat, play->destination, play->pause});
    }
    case SonorelleIfcOp::kRegisterRecordPacket: {
        const auto* record = As<SonorelleIfcRecordPacketArgs>(arguments);
        return instance.RegisterForRecordPacket(record->on != 0, record->format, record->sources);
    }
    case SonorelleIfcOp::kStopWavePlay:
        return instance.StopWavePlay(As<SonorelleIfcLongArg>(arguments)->value == 1);
    case SonorelleIfcOp::kStartRecord: {
        const auto* record = As<SonorelleIfcRecordArgs>(arguments);
        return instance.StartRecord(OrEmpty(record->file), record->format, record->sources);
    }
    case SonorelleIfcOp::kMute:
        return instance.SetSdkProperty("Mute", As<SonorelleIfcLongArg>(arguments)->value ? "true" : "false");
    case SonorelleIfcOp::kIgnore: {
        const auto* record = As<SonorelleIfcUserFlag>(arguments);
        return instance.Ignore(record->user, record->on);
    }
    case SonorelleIfcOp::kGag: {
        const auto* record = As<SonorelleIfcGagArgs>(arguments);
        return instance.Gag(record->user, record->flagWord, record->duration);
    }
    case SonorelleIfcOp::kJoin:
        return instance.JoinWith(*As<SonorelleIfcJoinArgs>(arguments));
    case SonorelleIfcOp::kSetUiOption: {
        const auto* record = As<SonorelleIfcNameValue>(arguments);
        return instance.SetUiOption(OrEmpty(record->name), OrEmpty(record->value));
    }
    case SonorelleIfcOp::kGetUiOption:
        return ReadInto(instance.GetUiOption(OrEmpty(As<SonorelleIfcNameResult>(arguments)->name)),
                        arguments);
    case SonorelleIfcOp::kSetSdkProperty: {
        const auto* record = As<SonorelleIfcNameValue>(arguments);
        return instance.SetSdkProperty(OrEmpty(record->name), OrEmpty(record->value));
    }
    case SonorelleIfcOp::kGetSdkProperty:
        return ReadInto(instance.GetSdkProperty(OrEmpty(As<SonorelleIfcNameResult>(arguments)->name)),
                        arguments);
    case SonorelleIfcOp::kSetByIndex: {
        const auto* record = As<SonorelleIfcIndexValue>(arguments);
        instance.SetByIndex(record->index, record->value);
        return 0;
    }
    case SonorelleIfcOp::kSetByName: {
        const auto* record = As<SonorelleIfcNameValue>(arguments);
        return instance.SetByName(OrEmpty(record->name), OrEmpty(record->value));
    }
    case SonorelleIfcOp::kKick: {
        const auto* record = As<SonorelleIfcKickArgs>(arguments);
        return instance.Kick(record->user, OrEmpty(record->reason));
    }
    case SonorelleIfcOp::kTone:
        return instance.SendTone(As<SonorelleIfcToneArgs>(arguments)->key);
    default:
        return 0;
    }
}

int32_t CEngineSelector::ReadInto(std::pair<int32_t, std::string> result, void* arguments)
{
    auto* record = static_cast<SonorelleIfcNameResult*>(arguments);
    record->value = m_services.AllocateText(result.second);
    return result.first;
}
