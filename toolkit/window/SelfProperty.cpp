#include "toolkit/window/SelfProperty.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace toolkit {

namespace {

constexpr wchar_t propertyName[] = L"SELF_";

using Entry = std::pair<HWND, TControl*>;

// Ordered by window handle. Never destroyed: windows may still go away while static
// objects are destroyed.
std::vector<Entry>& mirror() {
    static auto* windows = new std::vector<Entry>;
    return *windows;
}

std::vector<Entry>::iterator place(HWND window) {
    auto& windows = mirror();
    return std::lower_bound(windows.begin(), windows.end(), window,
                            [](const Entry& entry, HWND key) { return entry.first < key; });
}

bool isAt(std::vector<Entry>::iterator position, HWND window) {
    return position != mirror().end() && position->first == window;
}

}  // namespace

void setSelfProperty(HWND window, TControl* control) {
    if (!SetPropW(window, propertyName, control)) return;
    const auto position = place(window);
    if (isAt(position, window))
        position->second = control;
    else
        mirror().insert(position, Entry{window, control});
}

TControl* selfProperty(HWND window) {
    const auto position = place(window);
    return isAt(position, window) ? position->second : nullptr;
}

void removeSelfProperty(HWND window) {
    RemovePropW(window, propertyName);
    forgetSelfProperty(window);
}

void forgetSelfProperty(HWND window) {
    const auto position = place(window);
    if (isAt(position, window)) mirror().erase(position);
}

}  // namespace toolkit
