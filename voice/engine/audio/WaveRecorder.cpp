#include "WaveRecorder.h"

#include <utility>

namespace {

constexpr int32_t kSixteenBitMono = 1;

} // namespace

WaveRecorder::WaveRecorder(std::function<void()> onWriteFailure)
    : m_onWriteFailure(std::move(onWriteFailure))
{
}

int32_t WaveRecorder::StartRecord(const std::string& file, int32_t format, int32_t sources)
{
    if (file.empty())
        return WaveRecordStatus::kNoFileName;
    if (format != kSixteenBitMono)
        return WaveRecordStatus::kBadFormat;
    if (sources < kPlayed || sources > (kPlayed | kSent))
        return WaveRecordStatus::kBadSources;
    std::lock_guard<std::mutex> hold(m_lock);
    FinishLocked();
    if (!m_file.Create(file))
        return WaveRecordStatus::kCannotCreate;
    m_sources = sources;
    return WaveRecordStatus::kDone;
}

void WaveRecorder::StopRecord()
{
    std::lock_guard<std::mutex> hold(m_lock);
    FinishLocked();
}

void WaveRecorder::FinishLocked()
{
    m_file.Finish();
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

void WaveRecorder::Offer(std::deque<std::unique_ptr<WaveBuffer>>& queue, const WaveBuffer& frame,
                         int32_t source)
{
    if (!m_file.IsOpen() || !(m_sources & source))
        return;
    if (queue.size() == kMostQueued)
        queue.pop_front();
    queue.push_back(frame.Copy());
}

std::unique_ptr<WaveBuffer> WaveRecorder::TakeFirst(std::deque<std::unique_ptr<WaveBuffer>>& queue)
{
    if (queue.empty())
        return nullptr;
    std::unique_ptr<WaveBuffer> first = std::move(queue.front());
    queue.pop_front();
    return first;
}

bool WaveRecorder::WriteNextLocked(bool& failed)
{
    std::unique_ptr<WaveBuffer> frame = TakeFirst(m_played);
    std::unique_ptr<WaveBuffer> sent = TakeFirst(m_sent);
    if (frame && sent)
        frame->MixIn(*sent);
    else if (sent)
        frame = std::move(sent);
    if (!frame || !m_file.IsOpen())
        return false;
    if (m_file.WriteFrame(frame->Samples(), frame->SampleCount()))
        return true;
    FinishLocked();
    failed = true;
    return false;
}

void WaveRecorder::Tick()
{
    bool failed = false;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        while (WriteNextLocked(failed) &&
               (m_played.size() > kCatchUpAbove || m_sent.size() > kCatchUpAbove)) {
        }
    }
    if (failed && m_onWriteFailure)
        m_onWriteFailure();
}
