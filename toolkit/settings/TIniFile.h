// Integer values in an ini file, and the folder of the running program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "toolkit/objects/TObj.h"

namespace toolkit {

class TIniFile : public TObj {
public:
    enum Mode : std::uint8_t { read = 0, write = 1 };

    // Write mode stores the value as decimal text and returns it; read mode returns the
    // stored integer, or value when the key, section or file is missing.
    std::int32_t valueInteger(std::string_view key, std::int32_t value);
    // The same for a text (Windows-1251, a line of up to 1024 characters).
    std::string valueText(std::string_view key, std::string_view value);

    Mode mode = read;
    std::string fileName;  // full path, Windows-1251
    std::string section;
};

// A new ini file object for fileName, in read mode, with an empty section.
TIniFile* openIniFile(std::string_view fileName);

// The folder of the program's own file, with its trailing backslash.
std::string programDirectory();

// The folder of the given name in the user's application data folder (made when it is
// missing), with its trailing backslash; empty when there is none to be had. A program
// keeps its settings there: its own folder may be read-only.
std::string userDataDirectory(std::string_view name);

}  // namespace toolkit
