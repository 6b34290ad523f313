// Fuzz target: the command-line walker on arbitrary command lines. Byte 0 chooses the
// parameter, the rest are the line's UTF-16 code units. Findings: a read past the end
// (the line lies in a buffer of exactly its size) or a result that is not a piece of
// the line with at most its two outer quotes removed.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/ParamStr.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    std::vector<wchar_t> units((size - 1) / 2);
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<wchar_t>(data[1 + 2 * i] | (data[2 + 2 * i] << 8));
    const std::wstring_view line(units.data(), units.size());
    const int n = 1 + data[0] % 8;
    const std::wstring parameter = app::paramStrOf(line, n);
    if (line.find(parameter) == std::wstring_view::npos &&
        line.find(L"\"" + parameter + L"\"") == std::wstring_view::npos)
        std::abort();
    return 0;
}
