// Feeds names and values from the input to every named and indexed setter
// and reader of an engine instance, and joins, under the sanitizers.
#include "CEngineInstance.h"
#include "FakeEngineServices.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    EngineProcessState process;
    FakeEngineServices services;
    EventRecorder recorder;
    int handle = 0;
    CEngineInstance instance(&handle, 1, size % 2 == 0, process, services);
    instance.SetCallback(&recorder.callback);

    size_t at = 0;
    while (at < input.size()) {
        const size_t end = input.find('\n', at);
        const std::string line = input.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? input.size() : end + 1;
        const size_t split = line.find('=');
        const std::string name = line.substr(0, split);
        const std::string value = split == std::string::npos ? std::string() : line.substr(split + 1);
        instance.SetParam(name, value);
        instance.GetUiOption(name);
        instance.GetSdkProperty(name);
        const int32_t index = static_cast<int32_t>(static_cast<unsigned char>(name.empty() ? 0 : name[0])) - 8;
        const auto* info = EngineParameterTable::AtIndex(index);
        if (info && info->kind == EngineParamKind::Text)
            instance.SetByIndex(index, reinterpret_cast<intptr_t>(value.c_str()));
        else
            instance.SetByIndex(index, static_cast<intptr_t>(value.size()));
        instance.SetHostUrl(value, name);
    }
    instance.Join();
    instance.SendTone(input.empty() ? '\0' : input[0]);
    return 0;
}
