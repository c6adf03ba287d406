#pragma once

#include <cstdint>

// Tells a new press of a key on X11 from the presses that the key repeats while it is held, by the times
// the window system stamps on its key events: X11 repeats a held key as a release and a press at the same
// instant. A release that never arrives (it went to a window that was closing) costs no press.
class HeldKey
{
public:
    // Whether a press starts a new physical press. time is the event's time in milliseconds, 0 when
    // unknown.
    bool NewPress(std::uint64_t time) const;
    void Release(std::uint64_t time);

private:
    std::uint64_t m_releasedAt = 0;
};
