#include "testbase/TestState.h"

#include <stdexcept>

namespace {
// Slots are numbered 1 to 4, as the examinee sees them (a) to d)).
void CheckSlot(int k)
{
    if (k < 1 || k > 4)
        throw std::out_of_range("answer slot out of range");
}
} // namespace

TextList::TextList(std::shared_ptr<const std::string> bytes, std::size_t count) : m_bytes(std::move(bytes))
{
    m_starts.reserve(count);
}

std::string_view TextList::at(std::size_t i) const
{
    if (i >= size())
        throw std::out_of_range("text list position out of range");
    return (*this)[i];
}

bool &TestState::Chosen(int k)
{
    CheckSlot(k);
    bool *slots[] = {&Chosen1, &Chosen2, &Chosen3, &Chosen4};
    return *slots[k - 1];
}

bool TestState::Chosen(int k) const
{
    return const_cast<TestState &>(*this).Chosen(k);
}

std::string_view TestState::Answer(int k, int question) const
{
    CheckSlot(k);
    const TextList *slots[] = {&Answer1, &Answer2, &Answer3, &Answer4};
    return slots[k - 1]->at(static_cast<std::size_t>(question));
}
