#include "WavePlayer.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>

namespace {

std::vector<uint8_t> ReadFile(const std::string& path, bool& read)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    read = false;
    if (!in)
        return {};
    const std::streamoff size = in.tellg();
    if (size < 0 || static_cast<uint64_t>(size) > WavePlayer::kLargestFile)
        return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    read = static_cast<bool>(in.read(reinterpret_cast<char*>(bytes.data()), size));
    return bytes;
}

} // namespace

WavePlayer::WavePlayer(Output output, Status status)
    : m_output(std::move(output)), m_status(std::move(status))
{
}

int32_t WavePlayer::Check(const Request& request, bool repeatChecked) const
{
    if (request.checkFormat != 0 && request.checkFormat != 1)
        return WavePlayStatus::kBadFormat;
    if (request.destination < kLocal || request.destination > (kLocal | kConference))
        return WavePlayStatus::kBadDestination;
    if (repeatChecked && request.repeat != 0 && request.repeat != 1)
        return WavePlayStatus::kBadRepeat;
    if (request.repeat == 1 && request.pauseTenths < 0)
        return WavePlayStatus::kBadPause;
    return WavePlayStatus::kDone;
}

void WavePlayer::Queue(Item item)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_items.push_back(std::move(item));
}

int32_t WavePlayer::PlayFile(const Request& request)
{
    if (request.file.empty())
        return WavePlayStatus::kNoFileName;
    if (const int32_t refused = Check(request, true))
        return refused;
    Item item;
    item.request = request;
    Queue(std::move(item));
    return WavePlayStatus::kDone;
}

int32_t WavePlayer::PlayResource(const Request& request,
                                 std::optional<std::vector<uint8_t>> image)
{
    if (const int32_t refused = Check(request, false))
        return refused;
    Item item;
    item.request = request;
    item.source = Source::Resource;
    item.image = std::move(image);
    Queue(std::move(item));
    return WavePlayStatus::kDone;
}

int32_t WavePlayer::TakeSamples(const Request& request, const std::vector<uint8_t>& image,
                                std::vector<uint8_t>& samples)
{
    const auto wave = RiffWave::Parse(image.data(), image.size());
    if (!wave)
        return WavePlayStatus::kBadArray;
    if (request.checkFormat == 1 && !wave->IsEngineFormat())
        return WavePlayStatus::kFormatRefused;
    const auto from = image.begin() + static_cast<std::ptrdiff_t>(wave->dataOffset);
    samples.assign(from, from + static_cast<std::ptrdiff_t>(wave->dataLength));
    return WavePlayStatus::kDone;
}

int32_t WavePlayer::PlayImage(const Request& request, const std::vector<uint8_t>& image)
{
    if (const int32_t refused = Check(request, false))
        return refused;
    Item item;
    item.request = request;
    item.source = Source::Ready;
    if (const int32_t failed = TakeSamples(request, image, item.data))
        return failed;
    Queue(std::move(item));
    return WavePlayStatus::kDone;
}

int32_t WavePlayer::PlaySamples(const Request& request, std::vector<uint8_t> samples)
{
    if (request.destination < kLocal || request.destination > (kLocal | kConference))
        return WavePlayStatus::kBadDestination;
    if (samples.empty())
        return WavePlayStatus::kBadArray;
    Item item;
    item.request = request;
    item.request.playId = 0;
    item.request.checkFormat = 0;
    item.source = Source::Ready;
    item.data = std::move(samples);
    Queue(std::move(item));
    return WavePlayStatus::kDone;
}

void WavePlayer::Stop(bool all)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_items.empty())
        return;
    if (m_items.front().started)
        End(m_items.front());
    m_items.pop_front();
    if (all)
        m_items.clear();
}

size_t WavePlayer::Queued() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_items.size();
}

void WavePlayer::Report(const Item& item, int32_t code, int32_t value)
{
    if (item.request.playId > 0 && m_status)
        m_status(item.request.playId, code, value);
}

// The file is read whole; its samples are played as they are when the
// format is not checked (a file that is no RIFF WAVE image is refused).
bool WavePlayer::Start(Item& item)
{
    if (item.source != Source::Ready) {
        const bool fromFile = item.source == Source::File;
        bool read = item.image.has_value();
        const std::vector<uint8_t> bytes =
            fromFile ? ReadFile(item.request.file, read) : item.image.value_or(std::vector<uint8_t>());
        const int32_t failed = read ? TakeSamples(item.request, bytes, item.data)
                                    : WavePlayStatus::kBadArray;
        if (failed == WavePlayStatus::kBadArray) {
            Report(item, fromFile ? WavePlayStatus::kCannotOpen : WavePlayStatus::kNoResource, 0);
            return false;
        }
        if (failed) {
            Report(item, failed, 0);
            return false;
        }
    }
    item.started = true;
    Report(item, WavePlayStatus::kDone, 0);
    return true;
}

void WavePlayer::End(Item& item)
{
    if (item.finished)
        return;
    item.finished = true;
    Report(item, WavePlayStatus::kDone, WavePlayStatus::kEndValue);
}

std::unique_ptr<WaveBuffer> WavePlayer::NextFrame(Item& item, int32_t frameMs)
{
    if (item.finished)
        return nullptr;
    if (item.request.repeat == 1 && item.pauseLeftMs > 0) {
        item.pauseLeftMs -= frameMs;
        if (item.pauseLeftMs > 0)
            return nullptr;
    }
    auto frame = std::make_unique<WaveBuffer>(frameMs);
    const size_t wanted = frame->Length();
    const size_t taken = std::min(wanted, item.data.size() - item.position);
    for (size_t i = 0; i + 1 < taken; i += 2) {
        const uint8_t* at = &item.data[item.position + i];
        frame->Samples()[i / 2] = static_cast<int16_t>(at[0] | at[1] << 8);
    }
    item.position += taken;
    if (item.position == item.data.size()) {
        if (item.request.repeat == 1) {
            item.position = 0;
            item.pauseLeftMs = item.request.pauseTenths * 100;
        } else {
            End(item);
        }
    }
    return frame;
}

void WavePlayer::Tick(int32_t frameMs)
{
    std::unique_ptr<WaveBuffer> frame;
    int32_t destination = 0;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        if (m_items.empty())
            return;
        Item& item = m_items.front();
        if (!item.started && !Start(item)) {
            m_items.pop_front();
            return;
        }
        frame = NextFrame(item, frameMs);
        destination = item.request.destination;
        if (item.finished)
            m_items.pop_front();
    }
    if (frame && m_output)
        m_output(std::move(frame), destination);
}
