// Any bytes for the teachers' tool: checking them as a base must neither crash nor hang; check's verdicts
// must be those of the loader and the listing, and every finding one line; and a line read as a result line
// must be written back by the program exactly so. fuzz_convert and fuzz_results cover the other commands.
#include "basetool/BaseCheck.h"
#include "results/ResultFile.h"
#include "results/ResultLines.h"

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

// The head as the listing reads it from a file, here one in memory.
HeadLines ListingHead(const std::string &bytes)
{
    static const int file = memfd_create("fuzz_check", 0);
    Require(file >= 0);
    Require(ftruncate(file, 0) == 0);
    Require(pwrite(file, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size()));
    return ReadHeadLines("/proc/self/fd/" + std::to_string(file), HeadPurpose::Listing);
}

void CheckCheck(const std::string &bytes)
{
    const HeadLines head = ListingHead(bytes);
    const BaseReport report = CheckBytes(bytes, ListingEntry::Read, head);
    TestState state;
    BaseLimits limits;
    Require(report.load == LoadBase(bytes, state, limits));
    Require(report.listed == ListedTitle(head).has_value());
    Require(report.Status() <= 2 && !report.findings.empty());
    for (const Finding &finding : report.findings)
        Require(finding.text.find_first_of("\r\n") == std::string::npos);
}

void CheckResultLine(const std::string &bytes)
{
    ResultRecord record;
    if (ParseResultLine(bytes, record) != ResultLineFault::None)
        return;
    TestState state;
    state.UserName = record.UserName;
    state.QuestCount = static_cast<int>(record.GivenAnswer.size());
    state.TrueCount = record.TrueCount;
    state.GivenAnswer.push_back(0);
    for (const int answer : record.GivenAnswer)
        state.GivenAnswer.push_back(static_cast<std::int16_t>(answer));
    // Numbers may carry leading zeros that the program never writes; the rest must come back unchanged.
    const std::string written = ResultLine(state);
    Require(written.ends_with("\r\n"));
    ResultRecord again;
    Require(ParseResultLine(std::string_view(written).substr(0, written.size() - 2), again) ==
            ResultLineFault::None);
    Require(again.UserName == record.UserName && again.GivenAnswer == record.GivenAnswer &&
            again.TrueCount == record.TrueCount && again.FalseCount == record.FalseCount);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    CheckCheck(bytes);
    CheckResultLine(bytes);
    return 0;
}
