// Feeds arbitrary bytes to the kept-console reader. What it accepts must write back to a file that
// reads as the same console and writes the same bytes again; what it refuses it refuses with
// KeepFormatError only.
#include "core/keep/ConsoleFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize)
{
    const std::string_view strFile(reinterpret_cast<const char*>(pData), nSize);
    KeptConsole kept;
    try {
        kept = ReadKeptConsole(strFile);
    } catch (const KeepFormatError&) {
        return 0;
    }
    const std::string strWritten = WriteKeptConsole(kept);
    const KeptConsole again = ReadKeptConsole(strWritten);
    if (!(again == kept) || WriteKeptConsole(again) != strWritten)
        std::abort();
    return 0;
}
