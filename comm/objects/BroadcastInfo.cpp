#include "BroadcastInfo.h"

#include "TvlNdr.h"

namespace {

void PutBlob(TvlNdr& writer, const CTvlBlob& blob)
{
    writer.PutLong(blob.Length());
    writer.PutBytes(blob.Length(), blob.Bytes());
}

} // namespace

CBroadcastInfo::CBroadcastInfo() : values{}, moreValues{} {}

void CBroadcastInfo::Write(TvlNdr& writer) const
{
    for (const std::string& text : texts)
        writer.PutText(text);
    PutBlob(writer, picture);
    for (uint16_t value : values)
        writer.PutShort(value);
    PutBlob(writer, middle);
    for (uint16_t value : moreValues)
        writer.PutShort(value);
    PutBlob(writer, last);
}

bool CBroadcastInfo::Read(TvlNdr& reader)
{
    for (std::string& text : texts) {
        if (!reader.GetText(text))
            return false;
    }
    if (!picture.Unmarshal(reader, true))
        return false;
    for (uint16_t& value : values) {
        if (!reader.GetShort(value))
            return false;
    }
    if (!middle.Unmarshal(reader, true))
        return false;
    for (uint16_t& value : moreValues) {
        if (!reader.GetShort(value))
            return false;
    }
    return last.Unmarshal(reader, true);
}
