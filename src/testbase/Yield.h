#pragma once

#include <cstddef>
#include <functional>

// Long passes over a base hand control to the caller every few thousand lines, so that a window can keep
// its clocks ticking while a huge base loads.
class Yielder
{
public:
    explicit Yielder(std::function<void()> yield) : m_yield(std::move(yield)) {}

    void Line()
    {
        if (m_yield && ++m_lines % Every == 0)
            m_yield();
    }

private:
    static constexpr std::size_t Every = 4096;
    std::function<void()> m_yield;
    std::size_t m_lines = 0;
};
