// Recording what the local user hears and says for the SDK host, into a
// wave file and as a stream of frames: the frames the sequencer plays and
// the frames the collector sends are queued as copies, by the chosen
// sources, and once per frame tick the first of each (mixed when both are
// there) is written to the file and handed over as one packet.
#pragma once

#include "WaveBuffer.h"
#include "WaveFileWriter.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace WaveRecordStatus {
constexpr int32_t kDone = 0;
constexpr int32_t kCannotCreate = 1401;
constexpr int32_t kBadFormat = 1402;
constexpr int32_t kBadSources = 1403;
constexpr int32_t kWriteFailed = 1404;
constexpr int32_t kOtherSettings = 1405;
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

    // Both are called on the ticking thread, outside the recorder's lock:
    // `onWriteFailure` hears of a write that failed (the file recording
    // stops), `onPacket` gets each recorded frame's bytes while packets are
    // asked for.
    using Packet = std::function<void(std::vector<uint8_t> bytes)>;
    WaveRecorder(std::function<void()> onWriteFailure, Packet onPacket);

    // Starts recording `sources` (kPlayed, kSent or both) in `format` 1
    // (16-bit mono at 8000 Hz) to a new file, after finishing one being
    // recorded; a status of WaveRecordStatus. Packets being handed over
    // with other settings refuse it (kOtherSettings).
    int32_t StartRecord(const std::string& file, int32_t format, int32_t sources);
    // Finishes the file; packets go on.
    void StopRecord();
    bool IsRecording() const;
    // Starts or stops handing recorded frames over as packets; a file
    // recording with other settings refuses it (kOtherSettings).
    int32_t RegisterForPackets(bool on, int32_t format, int32_t sources);

    void OfferPlayed(const WaveBuffer& frame);
    void OfferSent(const WaveBuffer& frame);
    // One frame tick.
    void Tick();
    // Ends both the file and the packets.
    void Stop();

private:
    using Queue = std::deque<std::unique_ptr<WaveBuffer>>;

    static int32_t CheckSettings(int32_t format, int32_t sources);
    bool IsActiveLocked() const { return m_file.IsOpen() || m_packets; }
    void Offer(Queue& queue, const WaveBuffer& frame, int32_t source);
    static std::unique_ptr<WaveBuffer> TakeFirst(Queue& queue);
    void FinishFileLocked();
    void DropWhenIdleLocked();
    // Records the next frame; false when there was none.
    bool RecordNextLocked(bool& failed, std::vector<std::vector<uint8_t>>& packets);

    std::function<void()> m_onWriteFailure;
    Packet m_onPacket;
    mutable std::mutex m_lock;
    WaveFileWriter m_file;
    bool m_packets = false;
    int32_t m_format = 0;
    int32_t m_sources = 0;
    Queue m_played;
    Queue m_sent;
};
