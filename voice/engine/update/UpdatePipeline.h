// Runs a download through a string of one-letter steps. This client carries
// out "d" (download to a temporary file), "f" (read it), "h" (compare its MD5
// digest with the listed one) and "m" (move it to the destination); any other
// letter fails with its own step code, so a step string can only ask for
// steps that are really done.
#pragma once

#include "IUpdatePlatform.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct PipelineJob
{
    std::string source;      // URL
    std::string destination; // path for "m"
    std::string expectedDigest;
    std::string component;   // named in the error log
};

class UpdatePipeline
{
public:
    // The step strings of the list and of delivery methods "0"-"5".
    static constexpr char kListSteps[] = "df";
    static constexpr char kFileSteps[] = "dfhm";

    UpdatePipeline(IUpdatePlatform& platform, std::string temporaryDirectory);

    // The size of the data read on success; 0 on failure (see FailedStep) or
    // when no step read any. An empty file fails the reading step.
    size_t Run(std::string_view steps, const PipelineJob& job);
    int32_t FailedStep() const { return m_failedStep; }
    const std::vector<uint8_t>& Data() const { return m_data; }

    // The failure code of a step letter; 0 for letters without one.
    static int32_t StepCode(char step);

private:
    bool RunStep(char step, const PipelineJob& job);
    bool Fail(char step, const PipelineJob& job);
    std::string TempFile(const char* name) const { return m_temporaryDirectory + name; }

    IUpdatePlatform& m_platform;
    std::string m_temporaryDirectory;
    std::string m_current;
    std::vector<uint8_t> m_data;
    bool m_dataRead = false;
    int32_t m_failedStep = 0;
};
