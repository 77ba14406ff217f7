// Recording what the local user hears and says into a wave file for the
// SDK host: the frames the sequencer plays and the frames the collector
// sends are queued as copies, by the chosen sources, and once per frame
// tick the first of each (mixed when both are there) is written.
#pragma once

#include "WaveBuffer.h"
#include "WaveFileWriter.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

namespace WaveRecordStatus {
constexpr int32_t kDone = 0;
constexpr int32_t kCannotCreate = 1401;
constexpr int32_t kBadFormat = 1402;
constexpr int32_t kBadSources = 1403;
constexpr int32_t kWriteFailed = 1404;
constexpr int32_t kNoFileName = 1407;
} // namespace WaveRecordStatus

class WaveRecorder
{
public:
    static constexpr int32_t kPlayed = 1;
    static constexpr int32_t kSent = 2;
    // Frames kept for the next ticks: beyond this the oldest are dropped.
    static constexpr size_t kMostQueued = 50;
    // A tick that finds more frames queued than this writes on until it
    // does not: the ticks can fall behind the frames.
    static constexpr size_t kCatchUpAbove = 2;

    // `onWriteFailure` hears of a write that failed (the recording stops);
    // it is called on the ticking thread and must not call back in.
    explicit WaveRecorder(std::function<void()> onWriteFailure);

    // Starts recording `sources` (kPlayed, kSent or both) in `format` 1
    // (16-bit mono at 8000 Hz) to a new file, after finishing one being
    // recorded; a status of WaveRecordStatus.
    int32_t StartRecord(const std::string& file, int32_t format, int32_t sources);
    // Finishes the file.
    void StopRecord();
    bool IsRecording() const;

    void OfferPlayed(const WaveBuffer& frame);
    void OfferSent(const WaveBuffer& frame);
    // One frame tick.
    void Tick();

private:
    void Offer(std::deque<std::unique_ptr<WaveBuffer>>& queue, const WaveBuffer& frame,
               int32_t source);
    static std::unique_ptr<WaveBuffer> TakeFirst(std::deque<std::unique_ptr<WaveBuffer>>& queue);
    void FinishLocked();
    // Writes the next frame; false when there was none or the write failed.
    bool WriteNextLocked(bool& failed);

    std::function<void()> m_onWriteFailure;
    mutable std::mutex m_lock;
    WaveFileWriter m_file;
    int32_t m_sources = 0;
    std::deque<std::unique_ptr<WaveBuffer>> m_played;
    std::deque<std::unique_ptr<WaveBuffer>> m_sent;
};
