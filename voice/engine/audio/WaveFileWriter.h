// A wave file being recorded: a "RIFF" file of form "WAVE" with the format
// chunk of 16-bit mono samples at 8000 Hz, a "fact" chunk that holds the
// number of frames written once the file is finished (-1 until then), and
// the samples in the "data" chunk.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

class WaveFileWriter
{
public:
    WaveFileWriter() = default;
    ~WaveFileWriter() { Finish(); }
    WaveFileWriter(const WaveFileWriter&) = delete;
    WaveFileWriter& operator=(const WaveFileWriter&) = delete;

    // Creates (or replaces) the file with its headers; false when it cannot.
    bool Create(const std::string& path);
    // Appends one frame's samples; false when the file cannot take them.
    bool WriteFrame(const int16_t* samples, size_t count);
    // Puts the chunk lengths and the frame count in and closes the file;
    // false when that failed.
    bool Finish();
    bool IsOpen() const { return m_file != nullptr; }

private:
    bool WriteAt(long offset, uint32_t value);

    std::FILE* m_file = nullptr;
    uint32_t m_dataBytes = 0;
    uint32_t m_frames = 0;
    bool m_failed = false;
};
