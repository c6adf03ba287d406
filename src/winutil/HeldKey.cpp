#include "winutil/HeldKey.h"

bool HeldKey::NewPress(std::uint64_t time, bool marked)
{
    const bool sameInstantAsRelease = time != 0 && time == m_releasedAt;
    const bool markedWhileDown = marked && m_down && time - m_pressedAt <= LongestRepeatGap;
    m_down = true;
    m_pressedAt = time;
    return !sameInstantAsRelease && !markedWhileDown;
}

void HeldKey::Release(std::uint64_t time)
{
    m_down = false;
    m_releasedAt = time;
}
