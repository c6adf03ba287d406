// Any bytes for the teachers' tool's convert, guessing the encoding or told it: it must neither crash nor
// hang; a refusal names a place and writes nothing; a converted text has no line-end problem and, unless it
// reads as UTF-8 again (or nearly), no encoding problem, and converting it once more changes nothing.
#include "basetool/Convert.h"
#include "basetool/EncodingCheck.h"

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

namespace {
void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckConvert(const std::string &bytes, std::optional<TextEncoding> from)
{
    const Converted converted = ConvertText(bytes, from);
    if (!converted.error.empty()) {
        Require(converted.bytes.empty() && converted.line >= 1 && converted.column >= 1);
        return;
    }
    // Text forced to be read as Windows-1251 may still look like UTF-8 with a few stray bytes.
    const SniffedEncoding sniffed = SniffEncoding(converted.bytes);
    const bool readsAsCp1251 =
        sniffed.encoding == TextEncoding::Cp1251 && sniffed.strayAt == std::string_view::npos;
    for (const Finding &finding : EncodingFindings(converted.bytes).findings)
        Require(finding.aspect != Aspect::LineEnds && (finding.aspect != Aspect::Encoding || !readsAsCp1251));
    if (readsAsCp1251)
        Require(ConvertText(converted.bytes).bytes == converted.bytes);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    CheckConvert(bytes, std::nullopt);
    CheckConvert(bytes, TextEncoding::Cp1251);
    CheckConvert(bytes, TextEncoding::Utf8);
    return 0;
}
