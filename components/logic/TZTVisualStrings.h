// The string constant: delivers its text whenever a data input linked to it is read.
#pragma once

#include <cstdint>
#include <string>

#include "components/visual/TFontRec.h"
#include "dataflow/TData.h"

namespace components {

class TZTVisualStrings {
public:
    std::string strings;      // the text delivered, Windows-1251
    std::int32_t width = 0;   // set by the schema, not read at run time
    std::int32_t height = 0;  // set by the schema, not read at run time
    TFontRec font;            // set by the schema, not read at run time

    // Data point: the reader's record becomes a dataStr value holding the text.
    void text(dataflow::TData& data, std::uint16_t index);
};

}  // namespace components
