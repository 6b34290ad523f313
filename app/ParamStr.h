// The program's command-line parameters, as the start-up check reads them.
#pragma once

#include <string>
#include <string_view>

namespace app {

// Parameter n of a command line (n >= 1; parameter 0 is the program itself): blanks
// (codes up to 32) separate parameters, double quotes group blanks, an empty quoted
// pair is skipped, and quotes around the whole parameter are removed.
std::wstring paramStrOf(std::wstring_view commandLine, int n);

// paramStrOf the process's own command line; n = 0 gives the program's file name.
std::wstring paramStr(int n);

}  // namespace app
