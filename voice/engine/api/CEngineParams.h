// The stored values of one instance's parameters, with their defaults.
#pragma once

#include "EngineParameterTable.h"

#include <array>
#include <cstdint>
#include <string>

class CEngineParams
{
public:
    CEngineParams();

    const std::string& Text(int32_t index) const;
    int32_t Number(int32_t index) const;
    void SetText(int32_t index, std::string text);
    // Flags are kept as 0 or 1.
    void SetNumber(int32_t index, int32_t value);

    // Named values without an index.
    int32_t ShowEula() const { return m_showEula; }
    void SetShowEula(int32_t on) { m_showEula = on ? 1 : 0; }
    int32_t Mute() const { return m_mute; }
    void SetMute(int32_t on) { m_mute = on ? 1 : 0; }
    int32_t SoundEnabled() const { return m_soundEnabled; }
    void SetSoundEnabled(int32_t on) { m_soundEnabled = on ? 1 : 0; }

    // The value of an indexed parameter, or of a named extra, as a host reads
    // it by name: flags "true"/"false", numbers in decimal.
    std::string Format(const EngineParameterInfo& info) const;

private:
    std::array<std::string, EngineParam::kCount> m_texts;
    std::array<int32_t, EngineParam::kCount> m_numbers{};
    int32_t m_showEula = 1;
    int32_t m_mute = 0;
    int32_t m_soundEnabled = 1;
};
