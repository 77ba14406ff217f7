// IZrPersonLink: what a person asks of its place link.
#pragma once

class TvlNdr;

// The place link that ties the local user to its channel and client place
// implements this; only the local user has one.
class IZrPersonLink {
public:
    // The channel is set up.
    virtual bool IsUp() const = 0;
    // Writes the link's place key into the leading field of the place
    // operation and sends it on the channel.
    virtual bool SendStamped(TvlNdr& message) = 0;
    // The person drops the link: the link forgets the person and is released.
    virtual void ReleaseFromPerson() = 0;

protected:
    ~IZrPersonLink() = default;
};
