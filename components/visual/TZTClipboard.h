// The system's clipboard as a component: a text that comes is put on it, for a report.
#pragma once

#include <cstdint>

#include "dataflow/TData.h"
#include "dataflow/TZT_Event.h"

namespace components {

class TZTClipboard {
public:
    // Input method: the value that comes, as text (Windows-1251), goes on the clipboard
    // as Unicode text in place of what it held; an empty text puts nothing there.
    void doCopy(dataflow::TData& data, std::uint16_t index);
};

}  // namespace components
