#include "CEngineParams.h"

#include "EngineValueText.h"

namespace {

const char kDefaultStitchUrl[] = "http://www.sonorelle.net/";
constexpr int32_t kUiOptions = 23;
constexpr int32_t kUmIgnore = 18;
constexpr int32_t kUmInstantMessage = 19;
constexpr int32_t kDefaultUiOptions = 3;

bool InRange(int32_t index)
{
    return index >= 0 && index < EngineParam::kCount;
}

} // namespace

CEngineParams::CEngineParams()
{
    m_texts[EngineParam::kAccount] = "0";
    m_texts[EngineParam::kStitchUrl] = kDefaultStitchUrl;
    m_texts[EngineParam::kContainerApp] = "<none>";
    m_texts[EngineParam::kContainerAppVersion] = "0.0";
    m_texts[EngineParam::kUserLocale] = "en-US";
    m_texts[EngineParam::kHostUrl] = "<URL>";
    m_numbers[EngineParam::kAutoJoin] = 1;
    m_numbers[kUmIgnore] = 1;
    m_numbers[kUmInstantMessage] = 1;
    m_numbers[kUiOptions] = kDefaultUiOptions;
}

const std::string& CEngineParams::Text(int32_t index) const
{
    static const std::string kNone;
    return InRange(index) ? m_texts[static_cast<size_t>(index)] : kNone;
}

int32_t CEngineParams::Number(int32_t index) const
{
    return InRange(index) ? m_numbers[static_cast<size_t>(index)] : 0;
}

void CEngineParams::SetText(int32_t index, std::string text)
{
    if (InRange(index))
        m_texts[static_cast<size_t>(index)] = std::move(text);
}

void CEngineParams::SetNumber(int32_t index, int32_t value)
{
    const auto* info = EngineParameterTable::AtIndex(index);
    if (!info)
        return;
    m_numbers[static_cast<size_t>(index)] =
        info->kind == EngineParamKind::Flag ? (value ? 1 : 0) : value;
}

std::string CEngineParams::Format(const EngineParameterInfo& info) const
{
    if (info.index < 0) {
        const std::string name = info.name;
        const int32_t flag = name == "ShowEULA" ? m_showEula
                             : name == "Mute"   ? m_mute
                                                : m_soundEnabled;
        return EngineValueText::FormatFlag(flag);
    }
    switch (info.kind) {
    case EngineParamKind::Flag:
        return EngineValueText::FormatFlag(Number(info.index));
    case EngineParamKind::Number:
        return std::to_string(Number(info.index));
    case EngineParamKind::Text:
        return Text(info.index);
    case EngineParamKind::None:
        break;
    }
    return std::string();
}
