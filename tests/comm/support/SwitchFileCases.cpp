#include "SwitchFileCases.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

const std::vector<SwitchFileCase>& SwitchFileCases()
{
    static const std::vector<SwitchFileCase> cases = {
        {"no file", nullptr, TvlKey::ZrsPortNum, 1533, 1533},
        {"plain", "[Debug]\nZRS_PORT_NUM=4000\n", TvlKey::ZrsPortNum, 1533, 4000},
        {"CRLF lines", "[Debug]\r\nUCM_DEBUG=3\r\n", TvlKey::UcmDebug, 0, 3},
        {"other section", "[Other]\nZRS_PORT_NUM=4000\n", TvlKey::ZrsPortNum, 1533, 1533},
        {"section after another", "[Other]\nUCM_DEBUG=1\n[Debug]\nUCM_DEBUG=2\n", TvlKey::UcmDebug, 0, 2},
        {"names ignore case", "[debug]\nzrs_port_num=4001\n", TvlKey::ZrsPortNum, 1533, 4001},
        {"blanks around", "[Debug]\n  UCM_DEBUG  =  7  \n", TvlKey::UcmDebug, 0, 7},
        {"missing key", "[Debug]\nUCM_KERNEL=1\n", TvlKey::UcmDebug, 0, 0},
        {"empty value", "[Debug]\nUCM_TIMER_COUNT=\n", TvlKey::UcmTimerCount, 15, 15},
        {"not a number", "[Debug]\nUCM_DEBUG=abc\n", TvlKey::UcmDebug, 9, 0},
        {"leading digits", "[Debug]\nUCM_DEBUG=12abc\n", TvlKey::UcmDebug, 0, 12},
        {"negative", "[Debug]\nUCM_DEBUG=-3\n", TvlKey::UcmDebug, 0, -3},
        {"hexadecimal", "[Debug]\nUCM_DEBUG=0x1F\n", TvlKey::UcmDebug, 0, 31},
        {"zero", "[Debug]\nUCM_TIMER_COUNT=0\n", TvlKey::UcmTimerCount, 15, 0},
        {"comment line", "[Debug]\n;UCM_DEBUG=5\n", TvlKey::UcmDebug, 0, 0},
        {"first of two", "[Debug]\nUCM_DEBUG=4\nUCM_DEBUG=5\n", TvlKey::UcmDebug, 0, 4},
        {"key is a prefix", "[Debug]\nUCM_DEBUGX=4\n", TvlKey::UcmDebug, 0, 0},
    };
    return cases;
}

CScratchFile::CScratchFile(const char* name) : m_path((std::filesystem::temp_directory_path() / name).string())
{
    std::remove(m_path.c_str());
}

CScratchFile::~CScratchFile()
{
    std::remove(m_path.c_str());
}

void CScratchFile::Write(const char* content) const
{
    if (!content) {
        std::remove(m_path.c_str());
        return;
    }
    std::ofstream file(m_path, std::ios::binary | std::ios::trunc);
    file << content;
}
