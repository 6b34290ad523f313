// The string constant: delivers its text whenever a data input linked to it is read,
// and composes it with a value that arrives, for a log or a message.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "components/TFontRec.h"
#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"

namespace components {

class TZTVisualStrings {
public:
    // A constant text, which compose passes on to onText (unlinked: {}).
    static std::unique_ptr<TZTVisualStrings> constant(std::string text, dataflow::TEventLink onText = {});

    std::string strings;      // the text delivered, Windows-1251
    std::int32_t width = 0;   // set by the schema, not read at run time
    std::int32_t height = 0;  // set by the schema, not read at run time
    TFontRec font;            // set by the schema, not read at run time

    // Fired by compose with the composed text; unlinked unless a schema links it.
    dataflow::TEventLink onText;

    // Data point: the reader's record becomes a dataStr value holding the text.
    void text(dataflow::TData& data, std::uint16_t index);
    using DataPoints = dataflow::TDataPoints<&TZTVisualStrings::text>;
    // Input method: the text with "%1" replaced by the incoming value as text, and "%+1"
    // by the value with its sign (a "+" before a number above 0), passed on to onText.
    void compose(dataflow::TData& data, std::uint16_t index);
};

}  // namespace components
