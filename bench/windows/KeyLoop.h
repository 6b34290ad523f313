// The key loop of the key-latency programs: a digit typed over the whole text of a field,
// again and again. Only the character message is timed: the whole job runs synchronously
// inside it, from the field's change notice to both outputs.
#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace bench {

struct KeyTimes {
    double median;
    double percentile90;
};

inline KeyTimes typeKeys(HWND box, int keys = 2000) {
    SetFocus(box);
    std::vector<double> samples;
    samples.reserve(static_cast<std::size_t>(keys));
    for (int i = 0; i < keys; ++i) {
        SendMessageW(box, EM_SETSEL, 0, -1);
        const wchar_t digit = static_cast<wchar_t>(L'1' + i % 9);
        SendMessageW(box, WM_KEYDOWN, digit, 1);
        const auto before = std::chrono::steady_clock::now();
        SendMessageW(box, WM_CHAR, digit, 1);
        const auto after = std::chrono::steady_clock::now();
        SendMessageW(box, WM_KEYUP, digit, 0xC0000001);
        samples.push_back(std::chrono::duration<double, std::micro>(after - before).count());
    }
    std::sort(samples.begin(), samples.end());
    return KeyTimes{samples[samples.size() / 2], samples[samples.size() * 9 / 10]};
}

inline void measureKeys(HWND box, const char* what = "key to both outputs", int keys = 2000) {
    const KeyTimes t = typeKeys(box, keys);
    std::printf("%s: median %.1f us, 90th percentile %.1f us (%d keys)\n", what, t.median, t.percentile90,
                keys);
}

}  // namespace bench
