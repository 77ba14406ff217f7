#include "WaveRecorder.h"

#include <utility>

namespace {

constexpr int32_t kSixteenBitMono = 1;

} // namespace

WaveRecorder::WaveRecorder(std::function<void()> onWriteFailure, Packet onPacket)
    : m_onWriteFailure(std::move(onWriteFailure)), m_onPacket(std::move(onPacket))
{
}

int32_t WaveRecorder::CheckSettings(int32_t format, int32_t sources)
{
    if (format != kSixteenBitMono)
        return WaveRecordStatus::kBadFormat;
    if (sources < kPlayed || sources > (kPlayed | kSent))
        return WaveRecordStatus::kBadSources;
    return WaveRecordStatus::kDone;
}

int32_t WaveRecorder::StartRecord(const std::string& file, int32_t format, int32_t sources)
{
    if (file.empty())
        return WaveRecordStatus::kNoFileName;
    if (const int32_t refused = CheckSettings(format, sources))
        return refused;
    std::lock_guard<std::mutex> hold(m_lock);
    FinishFileLocked();
    if (m_packets && (format != m_format || sources != m_sources))
        return WaveRecordStatus::kOtherSettings;
    if (!m_file.Create(file)) {
        DropWhenIdleLocked();
        return WaveRecordStatus::kCannotCreate;
    }
    m_format = format;
    m_sources = sources;
    return WaveRecordStatus::kDone;
}

void WaveRecorder::StopRecord()
{
    std::lock_guard<std::mutex> hold(m_lock);
    FinishFileLocked();
    DropWhenIdleLocked();
}

int32_t WaveRecorder::RegisterForPackets(bool on, int32_t format, int32_t sources)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_packets = false;
    if (!on) {
        DropWhenIdleLocked();
        return WaveRecordStatus::kDone;
    }
    if (const int32_t refused = CheckSettings(format, sources))
        return refused;
    if (m_file.IsOpen() && (format != m_format || sources != m_sources))
        return WaveRecordStatus::kOtherSettings;
    m_packets = true;
    m_format = format;
    m_sources = sources;
    return WaveRecordStatus::kDone;
}

void WaveRecorder::Stop()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_packets = false;
    FinishFileLocked();
    DropWhenIdleLocked();
}

void WaveRecorder::FinishFileLocked()
{
    m_file.Finish();
}

// With neither a file nor packets, nothing is kept.
void WaveRecorder::DropWhenIdleLocked()
{
    if (IsActiveLocked())
        return;
    m_sources = 0;
    m_played.clear();
    m_sent.clear();
}

bool WaveRecorder::IsRecording() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_file.IsOpen();
}

void WaveRecorder::OfferPlayed(const WaveBuffer& frame)
{
    std::lock_guard<std::mutex> hold(m_lock);
    Offer(m_played, frame, kPlayed);
}

void WaveRecorder::OfferSent(const WaveBuffer& frame)
{
    std::lock_guard<std::mutex> hold(m_lock);
    Offer(m_sent, frame, kSent);
}

void WaveRecorder::Offer(Queue& queue, const WaveBuffer& frame, int32_t source)
{
    if (!IsActiveLocked() || !(m_sources & source))
        return;
    if (queue.size() == kMostQueued)
        queue.pop_front();
    queue.push_back(frame.Copy());
}

std::unique_ptr<WaveBuffer> WaveRecorder::TakeFirst(Queue& queue)
{
    if (queue.empty())
        return nullptr;
    std::unique_ptr<WaveBuffer> first = std::move(queue.front());
    queue.pop_front();
    return first;
}

bool WaveRecorder::RecordNextLocked(bool& failed, std::vector<std::vector<uint8_t>>& packets)
{
    std::unique_ptr<WaveBuffer> frame = TakeFirst(m_played);
    std::unique_ptr<WaveBuffer> sent = TakeFirst(m_sent);
    if (frame && sent)
        frame->MixIn(*sent);
    else if (sent)
        frame = std::move(sent);
    if (!frame || !IsActiveLocked())
        return false;
    if (m_file.IsOpen() && !m_file.WriteFrame(frame->Samples(), frame->SampleCount())) {
        FinishFileLocked();
        DropWhenIdleLocked();
        failed = true;
    }
    if (m_packets) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(frame->Samples());
        packets.emplace_back(bytes, bytes + frame->Length());
    }
    return true;
}

void WaveRecorder::Tick()
{
    bool failed = false;
    std::vector<std::vector<uint8_t>> packets;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        while (RecordNextLocked(failed, packets) &&
               (m_played.size() > kCatchUpAbove || m_sent.size() > kCatchUpAbove)) {
        }
    }
    if (failed && m_onWriteFailure)
        m_onWriteFailure();
    for (std::vector<uint8_t>& packet : packets) {
        if (m_onPacket)
            m_onPacket(std::move(packet));
    }
}
