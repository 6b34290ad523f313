#include <windows.h>

#include "app/ParamStr.h"

namespace app {

std::wstring paramStr(int n) {
    if (n == 0) {
        wchar_t name[261] = {};
        const DWORD length = GetModuleFileNameW(nullptr, name, 261);
        return std::wstring(name, length);
    }
    return paramStrOf(GetCommandLineW(), n);
}

}  // namespace app
