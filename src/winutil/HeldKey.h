#pragma once

#include <cstdint>

// Tells a new press of a key from the presses that the key repeats while it is held, by the times the
// window system stamps on its key events. X11 repeats a held key as a release and a press at the same
// instant; Windows as presses without releases, marked as repeats. A release that never arrives (it went
// to a window that was closing) must not cost the next real press.
class HeldKey
{
public:
    // Whether a press starts a new physical press. time is the event's time in milliseconds, 0 when
    // unknown; marked is the window system's own mark of a repeat.
    bool NewPress(std::uint64_t time, bool marked);
    void Release(std::uint64_t time);

    // Windows repeats a held key within a second at its slowest settings; a mark that comes later belongs
    // to a key whose release was lost.
    static constexpr std::uint64_t LongestRepeatGap = 1100;

private:
    std::uint64_t m_pressedAt = 0;
    std::uint64_t m_releasedAt = 0;
    bool m_down = false;
};
