// Wave files played for the SDK host, one after the other, one frame per
// frame tick: to the local speakers, to the conference, or to both. Each
// item may repeat with a pause between repetitions, and tells its start, its
// end and its failures as play status (only for play ids above 0).
#pragma once

#include "RiffWave.h"
#include "WaveBuffer.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace WavePlayStatus {
constexpr int32_t kDone = 0;
constexpr int32_t kBadFormat = 1402;
constexpr int32_t kBadDestination = 1403;
constexpr int32_t kBadRepeat = 1406;
constexpr int32_t kNoFileName = 1407;
constexpr int32_t kBadPause = 1408;
constexpr int32_t kCannotOpen = 1409;
constexpr int32_t kNoResource = 1410;
constexpr int32_t kFormatRefused = 1412;
constexpr int32_t kNoModule = 1413;
constexpr int32_t kBadArray = 1414;
constexpr int32_t kEndValue = 100;
} // namespace WavePlayStatus

class WavePlayer
{
public:
    static constexpr int32_t kLocal = 1;
    static constexpr int32_t kConference = 2;
    // Files larger than this are not played.
    static constexpr size_t kLargestFile = 64u << 20;

    struct Request
    {
        std::string file;
        int32_t playId = 0;
        int32_t checkFormat = 1; // 1: only 16-bit mono at 8000 Hz; 0: any data as such
        int32_t repeat = 0;
        int32_t destination = kLocal; // kLocal, kConference or both
        int32_t pauseTenths = 0;      // between repetitions, in tenths of a second
    };
    // A frame produced for its destination.
    using Output = std::function<void(std::unique_ptr<WaveBuffer> frame, int32_t destination)>;
    // Play status (play id, code, value); called on the ticking thread with
    // the player's lock held: it must not call back in.
    using Status = std::function<void(int32_t playId, int32_t code, int32_t value)>;

    WavePlayer(Output output, Status status);

    // Queues a file; a status of WavePlayStatus for bad arguments.
    int32_t PlayFile(const Request& request);
    // Queues a RIFF WAVE resource, loaded by the caller (nothing when the
    // module has none of that name: the item then fails as it starts).
    int32_t PlayResource(const Request& request, std::optional<std::vector<uint8_t>> image);
    // Queues a RIFF WAVE image, parsed and checked at once.
    int32_t PlayImage(const Request& request, const std::vector<uint8_t>& image);
    // Queues raw samples: no format, no play status.
    int32_t PlaySamples(const Request& request, std::vector<uint8_t> samples);
    // Stops the item playing (it tells its end), and with `all` drops the
    // queued ones too.
    void Stop(bool all);
    size_t Queued() const;
    // One frame tick of `frameMs`.
    void Tick(int32_t frameMs);

private:
    enum class Source { File, Resource, Ready };

    struct Item
    {
        Request request;
        Source source = Source::File;
        std::optional<std::vector<uint8_t>> image; // a resource's bytes
        std::vector<uint8_t> data; // the samples' bytes
        size_t position = 0;
        int32_t pauseLeftMs = 0;
        bool started = false;
        bool finished = false;
    };

    int32_t Check(const Request& request, bool repeatChecked) const;
    // The samples of an image when its format passes; else the failure.
    static int32_t TakeSamples(const Request& request, const std::vector<uint8_t>& image,
                               std::vector<uint8_t>& samples);
    void Queue(Item item);
    bool Start(Item& item);
    std::unique_ptr<WaveBuffer> NextFrame(Item& item, int32_t frameMs);
    void End(Item& item);
    void Report(const Item& item, int32_t code, int32_t value);

    Output m_output;
    Status m_status;
    mutable std::mutex m_lock;
    std::deque<Item> m_items;
};
