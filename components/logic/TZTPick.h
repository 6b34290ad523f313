// A text chosen by an index: one of the component's texts, for what an item of a list
// or a band of a scale says.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"

namespace components {

class TZTPick {
public:
    std::vector<std::string> texts;  // Windows-1251

    // Input method: the text whose index comes (read as an integer), passed on to onText;
    // the empty text for an index outside the texts.
    void pick(dataflow::TData& data, std::uint16_t index);
    dataflow::TEventLink onText;
};

}  // namespace components
