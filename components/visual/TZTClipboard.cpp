#include "components/visual/TZTClipboard.h"

#include "toolkit/text/WideText.h"
#include "toolkit/window/Clipboard.h"

namespace components {

void TZTClipboard::doCopy(dataflow::TData& data, std::uint16_t) {
    const std::string text = dataflow::toString(data);
    if (!text.empty()) toolkit::setClipboardText(nullptr, toolkit::toWide(text));
}

}  // namespace components
