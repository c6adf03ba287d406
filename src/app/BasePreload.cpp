#include "app/BasePreload.h"

BasePreload::BasePreload(std::filesystem::path file) : m_file(std::move(file))
{
    std::packaged_task<PreparedBase()> load([file = m_file] { return PrepareBase(file); });
    m_result = load.get_future();
    m_thread = std::jthread(std::move(load));
}

std::future<PreparedBase> BasePreload::Take(const std::filesystem::path &file)
{
    std::future<PreparedBase> result = std::move(m_result);
    return file == m_file ? std::move(result) : std::future<PreparedBase>();
}
