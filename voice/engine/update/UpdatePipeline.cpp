#include "UpdatePipeline.h"

#include "Md5.h"
#include "UpdateResult.h"

#include <cstdio>

namespace {

constexpr char kFirstTemp[] = "snwf1.tmp";
constexpr char kSecondTemp[] = "snwf2.tmp";

struct StepCode
{
    char step;
    int32_t code;
};

constexpr StepCode kStepCodes[] = {{'d', 201}, {'f', 202}, {'b', 204}, {'c', 209}, {'e', 205}, {'h', 206},
                                   {'s', 206}, {'u', 203}, {'m', 208}, {'r', 210}};

} // namespace

UpdatePipeline::UpdatePipeline(IUpdatePlatform& platform, std::string temporaryDirectory)
    : m_platform(platform), m_temporaryDirectory(std::move(temporaryDirectory))
{
}

int32_t UpdatePipeline::StepCode(char step)
{
    for (const auto& entry : kStepCodes) {
        if (entry.step == step)
            return entry.code;
    }
    return 0;
}

size_t UpdatePipeline::Run(std::string_view steps, const PipelineJob& job)
{
    m_platform.RemoveFile(TempFile(kFirstTemp));
    m_platform.RemoveFile(TempFile(kSecondTemp));
    m_current.clear();
    m_data.clear();
    m_dataRead = false;
    m_failedStep = 0;
    for (char step : steps) {
        if (!RunStep(step, job))
            return 0;
    }
    return m_data.size();
}

bool UpdatePipeline::RunStep(char step, const PipelineJob& job)
{
    switch (step) {
    case 'd':
        m_current = TempFile(kFirstTemp);
        return m_platform.Download(job.source, m_current) || Fail(step, job);
    case 'f': {
        std::optional<std::vector<uint8_t>> bytes;
        if (!m_current.empty())
            bytes = m_platform.ReadBytes(m_current);
        if (!bytes || bytes->empty())
            return Fail(step, job);
        m_data = std::move(*bytes);
        m_dataRead = true;
        return true;
    }
    case 'h':
        return (m_dataRead && Md5::MatchesBase64(m_data.data(), m_data.size(), job.expectedDigest)) ||
               Fail(step, job);
    case 'm':
        return (!m_current.empty() &&
                m_platform.PutInPlace(m_current, job.destination) == ReplaceOutcome::Replaced) ||
               Fail(step, job);
    default:
        return Fail(step, job);
    }
}

// Records and logs the failed step; always false.
bool UpdatePipeline::Fail(char step, const PipelineJob& job)
{
    m_failedStep = StepCode(step);
    char code[16];
    std::snprintf(code, sizeof code, "%x", static_cast<unsigned>(m_failedStep));
    m_platform.LogError(std::string(code) + " " + job.component, UpdateLog::kDownload);
    return false;
}
