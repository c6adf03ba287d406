#include "testbase/BaseText.h"

#include "testbase/Yield.h"

BaseText::BaseText(std::string bytes, const std::function<void()> &yield) : m_bytes(std::move(bytes))
{
    Yielder yielder(yield);
    m_starts.reserve(CountLines(m_bytes) + 1);
    LineSplitter().Feed(m_bytes, [&](std::size_t start) {
        m_starts.push_back(start);
        yielder.Line();
    });
    m_starts.push_back(m_bytes.size());
}

std::size_t CountLines(std::string_view bytes)
{
    LineSplitter splitter;
    splitter.Feed(bytes, [](std::size_t) {});
    return splitter.Lines();
}
