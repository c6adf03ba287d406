#include "testbase/BaseText.h"

#include "testbase/Yield.h"

BaseText::BaseText(std::string bytes, const std::function<void()> &yield)
    : m_bytes(std::make_shared<const std::string>(std::move(bytes)))
{
    const std::string_view all = *m_bytes;
    Yielder yielder(yield);
    m_starts.reserve(CountLines(all) + 1);
    bool inLine = false;
    LineSplitter().Feed(all, [&](std::string_view part, bool ends) {
        if (!inLine) {
            m_starts.push_back(static_cast<std::size_t>(part.data() - all.data()));
            yielder.Line();
        }
        inLine = !ends;
    });
    m_starts.push_back(all.size());
}

std::size_t CountLines(std::string_view bytes)
{
    LineSplitter splitter;
    splitter.Feed(bytes, [](std::string_view, bool) {});
    return splitter.Lines();
}
