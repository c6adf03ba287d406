// Any bytes as a base: loading must neither crash nor hang, its results must hold together, the fast
// lookups must agree with the plain ones, and the head of the file read in chunks must agree with the
// lines of the whole text.
#include "testbase/BaseText.h"
#include "testbase/Cp1251.h"
#include "testbase/HeadLines.h"
#include "testbase/KeyLookup.h"
#include "testbase/Loader.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {
void Require(bool condition)
{
    if (!condition)
        std::abort();
}

const std::string_view QuestionKeys[] = {
    "[QUESTION]=", "ANSWER1=", "ANSWER2=", "ANSWER3=", "ANSWER4=", "HELP="};

void CheckLoad(const std::string &bytes)
{
    TestState state;
    BaseLimits limits;
    const LoadFailure failure = LoadBase(bytes, state, limits);
    const BaseText &text = state.BaseLines;
    Require(text.LineCount() == CountLines(bytes));
    Require(state.QuestLine.size() == static_cast<std::size_t>(state.QuestCount) + 1);
    Require((failure == LoadFailure::EmptyFile) == (text.LineCount() == 0));
    if (failure != LoadFailure::None) {
        Require(state.QuestText.empty() && state.GivenAnswer.empty());
        return;
    }
    const auto size = static_cast<std::size_t>(state.QuestCount) + 1;
    Require(state.QuestText.size() == size && state.HelpText.size() == size && state.Answer4.size() == size);
    Require(state.RightAnswer.size() == size && state.GivenAnswer.size() == size);
    Require(limits.TestTime.size() <= 8 && limits.QuestTime.size() <= 8);
    // The first and the last question against the plain lookup; all of them would cost too much.
    for (const int k : {1, state.QuestCount}) {
        const std::size_t start = state.QuestLine[static_cast<std::size_t>(k)];
        Require(state.QuestText[static_cast<std::size_t>(k)] == GetSet(text, QuestionKeys[0], start));
        for (int slot = 1; slot <= 4; ++slot)
            Require(state.Answer(slot, k) == GetSet(text, QuestionKeys[slot], start));
        Require(state.HelpText[static_cast<std::size_t>(k)] == GetSet(text, QuestionKeys[5], start));
        Require(state.RightAnswer[static_cast<std::size_t>(k)] >= 0 &&
                state.RightAnswer[static_cast<std::size_t>(k)] <= 255);
    }
}

// The head is read from a file in memory, so that the chunked reader sees exactly these bytes.
void CheckHead(const std::string &bytes)
{
    static const int file = memfd_create("fuzz_head", 0);
    Require(file >= 0);
    Require(ftruncate(file, 0) == 0);
    Require(pwrite(file, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
    const std::string path = "/proc/self/fd/" + std::to_string(file);

    const BaseText text(bytes);
    const HeadLines full = ReadHeadLines(path);
    const HeadLines listing = ReadHeadLines(path, HeadPurpose::Listing);
    Require(full.error == FileError::None && listing.error == FileError::None);
    Require(full.lines.size() == std::min<std::size_t>(text.LineCount(), 2));
    if (text.LineCount() >= 1)
        Require(full.lines[0] == text.Line(1).substr(0, full.lines[0].size()));
    const std::string title(text.Line(2).size() > 2 ? text.Line(2).substr(2) : std::string_view());
    Require(CommandLineTitle(full) == title);
    const bool listed = text.LineCount() >= 2 && UpperCp1251(text.Line(1)) == "[ZORVANTABASEFILE.2.0]";
    Require(ListedTitle(full) == (listed ? std::optional<std::string>(title) : std::nullopt));
    Require(ListedTitle(listing) == ListedTitle(full));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    CheckLoad(bytes);
    CheckHead(bytes);
    return 0;
}
