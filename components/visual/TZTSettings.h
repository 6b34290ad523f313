// What a program keeps between its runs: texts read from data points when it closes,
// written to an ini file, and given back to input methods when it starts. A missing,
// damaged or foreign file gives nothing back (the components keep their own defaults),
// and a file that cannot be written loses only the keeping.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"

namespace components {

class TZTSettings {
public:
    // A file in the user's folder of the program's application data (not beside the
    // program, whose folder may be read-only); empty when there is none.
    static std::string userFile(std::string_view folder, std::string_view file);

    std::string fileName;  // whole path; empty: nothing is kept
    std::string section = "Settings";

    // What a stored text must be to be given back: any text, a number as a field shows
    // it (or nothing), or an item's index of a list.
    enum class TKind : std::uint8_t { text, number, index };
    struct TSetting {
        std::string key;
        TKind kind;
        dataflow::TDataLink source;   // read as text when the settings are stored
        dataflow::TEventLink target;  // fired with the stored text when they are restored
    };
    std::vector<TSetting> settings;

    // Input methods (the value that comes is not read). A stored text that is not of its
    // setting's kind is not given back: the component keeps its default.
    void restore(dataflow::TData& data, std::uint16_t index);
    void store(dataflow::TData& data, std::uint16_t index);
};

}  // namespace components
