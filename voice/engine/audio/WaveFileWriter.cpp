#include "WaveFileWriter.h"

#include <array>
#include <limits>

namespace {

constexpr long kRiffLengthAt = 4;
constexpr long kFactValueAt = 44;
constexpr long kDataLengthAt = 52;
constexpr uint32_t kHeaderBytes = 56;
constexpr uint32_t kFormBytesBeforeData = 48; // "WAVE", the format and fact chunks, "data" and its length

void Put16(uint8_t* at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value)
{
    Put16(at, static_cast<uint16_t>(value));
    Put16(at + 2, static_cast<uint16_t>(value >> 16));
}

std::array<uint8_t, kHeaderBytes> Header()
{
    std::array<uint8_t, kHeaderBytes> header{};
    auto tag = [&header](size_t at, const char* text) {
        for (size_t i = 0; i < 4; ++i)
            header[at + i] = static_cast<uint8_t>(text[i]);
    };
    tag(0, "RIFF");
    Put32(&header[4], kFormBytesBeforeData);
    tag(8, "WAVE");
    tag(12, "fmt ");
    Put32(&header[16], 16);
    Put16(&header[20], 1);     // PCM
    Put16(&header[22], 1);     // mono
    Put32(&header[24], 8000);  // samples per second
    Put32(&header[28], 16000); // bytes per second
    Put16(&header[32], 2);     // block alignment
    Put16(&header[34], 16);    // bits per sample
    tag(36, "fact");
    Put32(&header[40], 4);
    Put32(&header[44], 0xFFFFFFFFu);
    tag(48, "data");
    Put32(&header[52], 0);
    return header;
}

} // namespace

bool WaveFileWriter::Create(const std::string& path)
{
    Finish();
    m_file = std::fopen(path.c_str(), "w+b");
    if (!m_file)
        return false;
    m_dataBytes = 0;
    m_frames = 0;
    m_failed = false;
    const auto header = Header();
    if (std::fwrite(header.data(), 1, header.size(), m_file) != header.size() ||
        std::fflush(m_file) != 0) {
        std::fclose(m_file);
        m_file = nullptr;
        return false;
    }
    return true;
}

bool WaveFileWriter::WriteFrame(const int16_t* samples, size_t count)
{
    if (!m_file || m_failed)
        return false;
    const size_t bytes = count * 2;
    if (bytes > std::numeric_limits<uint32_t>::max() - kHeaderBytes - m_dataBytes) {
        m_failed = true;
        return false;
    }
    std::array<uint8_t, 2> sample{};
    for (size_t i = 0; i < count; ++i) {
        Put16(sample.data(), static_cast<uint16_t>(samples[i]));
        if (std::fwrite(sample.data(), 1, 2, m_file) != 2) {
            m_failed = true;
            return false;
        }
    }
    // Each frame reaches the file at once, so that a full disk shows now.
    if (std::fflush(m_file) != 0) {
        m_failed = true;
        return false;
    }
    m_dataBytes += static_cast<uint32_t>(bytes);
    ++m_frames;
    return true;
}

bool WaveFileWriter::WriteAt(long offset, uint32_t value)
{
    uint8_t bytes[4];
    Put32(bytes, value);
    return std::fseek(m_file, offset, SEEK_SET) == 0 && std::fwrite(bytes, 1, 4, m_file) == 4;
}

bool WaveFileWriter::Finish()
{
    if (!m_file)
        return true;
    bool done = !m_failed;
    done = WriteAt(kRiffLengthAt, kFormBytesBeforeData + m_dataBytes) && done;
    done = WriteAt(kFactValueAt, m_frames) && done;
    done = WriteAt(kDataLengthAt, m_dataBytes) && done;
    done = std::fclose(m_file) == 0 && done;
    m_file = nullptr;
    return done;
}
