#include "winutil/HeldKey.h"

bool HeldKey::NewPress(std::uint64_t time) const
{
    return time == 0 || time != m_releasedAt;
}

void HeldKey::Release(std::uint64_t time)
{
    m_releasedAt = time;
}
