#include "toolkit/window/Clipboard.h"

#include "toolkit/text/WideText.h"

namespace toolkit {

std::string clipboardText(HWND owner) {
    if (!OpenClipboard(owner)) return {};
    std::string text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = fromWide(wide);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace toolkit
