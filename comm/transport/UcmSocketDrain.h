// CUcmSocketDrain: sockets whose connections are done with them, held until
// the peer has closed as well.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "UcmPort.h"

// Closing a socket that still holds unread input makes the system reset the
// connection, and a reset throws away what the peer has not yet received of
// our output. So a socket is ended in steps: its sending side is shut down
// (the peer reads everything sent, then an orderly end), what still arrives
// is read and thrown away, and the socket is closed only when the peer has
// closed too, when it fails, or when the bound has passed.
class CUcmSocketDrain {
public:
    // The port's close timer ticks this often while a socket is held.
    static constexpr uint32_t kTickMs = 250;
    // Ticks after which a peer that has not closed is no longer waited for.
    static constexpr uint32_t kBoundTicks = 20;

    explicit CUcmSocketDrain(IUcmPort& port);
    ~CUcmSocketDrain();
    CUcmSocketDrain(const CUcmSocketDrain&) = delete;
    CUcmSocketDrain& operator=(const CUcmSocketDrain&) = delete;

    // Takes the socket over, with everything it was given to send. It is
    // closed at once when its sending side cannot be shut down (it never
    // connected, or it failed) or when the peer has already closed.
    void End(UcmSocketHandle socket);
    bool Holds(UcmSocketHandle socket) const;
    // A read or close event of a held socket.
    void OnEvent(UcmSocketHandle socket);
    // One tick of the close timer.
    void Tick();
    size_t Count() const { return m_held.size(); }

private:
    struct Held {
        UcmSocketHandle socket;
        uint32_t ticksLeft;
    };

    // Reads and throws away what has arrived; true when the peer has closed
    // or the socket failed.
    bool Drain(UcmSocketHandle socket);
    void Close(size_t index);

    IUcmPort& m_port;
    std::vector<Held> m_held;
    std::array<uint8_t, 8192> m_discard = {};
};
