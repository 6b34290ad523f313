#include "tests/support/RandomUser.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string_view>

namespace testsupport {

namespace {

// What a user types, digits most: every character of a number, a decimal comma, Latin
// and Cyrillic letters, a blank.
constexpr std::wstring_view characters = L"00112233445566778899,,..--eeEaxzабвыё ";

// What a user pastes: numbers as spreadsheets, documents and people write them, and
// texts that are none.
constexpr const wchar_t* pastes[] = {
    L"4,5",
    L" 4,5 \r\n",
    L"4,50\t",
    L"1,2E-3",
    L"1 000",
    L"1\u00A0000,5",
    L"\u22124,5",
    L"-4.5",
    L"4.5 мм/с",
    L"120",
    L"100e",
    L"1e-320",
    L"1e999",
    L"текст",
    L"-",
    L".",
    L"",
    L"  ",
    L"0",
    L"99999999999999999999",
    L"3000 об/мин",
    L"2 g",
    L"80 дБ",
    L"0,5 мкм",
};

struct TKey {
    const char* name;
    std::initializer_list<WORD> modifiers;
    WORD key;
};
const TKey keys[] = {
    {"Backspace", {}, VK_BACK},
    {"Delete", {}, VK_DELETE},
    {"Left", {}, VK_LEFT},
    {"Right", {}, VK_RIGHT},
    {"Up", {}, VK_UP},
    {"Down", {}, VK_DOWN},
    {"Home", {}, VK_HOME},
    {"End", {}, VK_END},
    {"Tab", {}, VK_TAB},
    {"Shift+Tab", {VK_SHIFT}, VK_TAB},
    {"Shift+Home", {VK_SHIFT}, VK_HOME},
    {"Ctrl+Z", {VK_CONTROL}, 'Z'},
    {"Ctrl+A", {VK_CONTROL}, 'A'},
    {"Alt+Down", {VK_MENU}, VK_DOWN},
    {"Esc", {}, VK_ESCAPE},
    {"Enter", {}, VK_RETURN},
};

std::string describe(wchar_t c) {
    if (c >= 0x20 && c < 0x7F) return std::string("'") + static_cast<char>(c) + "'";
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    return code;
}

std::string describe(std::wstring_view text) {
    std::string out = "\"";
    for (wchar_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != '"')
            out.push_back(static_cast<char>(c));
        else
            out += "<" + describe(c) + ">";
    }
    return out + "\"";
}

void setClipboard(HWND owner, std::wstring_view text) {
    if (!OpenClipboard(owner)) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    auto* target = static_cast<wchar_t*>(GlobalLock(memory));
    std::memcpy(target, text.data(), text.size() * sizeof(wchar_t));
    target[text.size()] = L'\0';
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
}

long environmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::strtol(text, nullptr, 10) : fallback;
}

}  // namespace

TRandomUser::TRandomUser(HWND form, std::vector<TPlace> places, std::uint32_t seed)
    : form_(form), places_(std::move(places)), seed_(seed), random_(seed) {
    SetForegroundWindow(form_);
    settle();
}

std::uint32_t TRandomUser::seedOr(std::uint32_t fallback) {
    return static_cast<std::uint32_t>(environmentNumber("RANDOM_USE_SEED", fallback));
}

int TRandomUser::actionsOr(int fallback) {
    return static_cast<int>(environmentNumber("RANDOM_USE_ACTIONS", fallback));
}

// Until the queue has stayed empty twice, or for a fifth of a second at most: a dropped
// list that holds the mouse outside itself keeps a timer running.
void TRandomUser::settle() {
    const DWORD start = GetTickCount();
    for (int idle = 0; idle < 2 && GetTickCount() - start < 200;) {
        MSG message;
        bool any = false;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (any) {
            idle = 0;
        } else {
            ++idle;
            Sleep(1);
        }
    }
}

void TRandomUser::act() {
    ++actions_;
    const unsigned kind = random_() % 100;
    if (kind < 45)
        typeCharacter();
    else if (kind < 75)
        pressKey();
    else if (kind < 82)
        pasteText();
    else if (kind < 97)
        click();
    else
        turnWheel();
    settle();
}

void TRandomUser::typeCharacter() {
    const wchar_t c = characters[random_() % characters.size()];
    log("type " + describe(c));
    sendCharacter(c);
}

void TRandomUser::pressKey() {
    const TKey& key = keys[random_() % std::size(keys)];
    log(std::string("key ") + key.name);
    chord(key.modifiers, key.key);
}

void TRandomUser::pasteText() {
    const std::wstring_view text = pastes[random_() % std::size(pastes)];
    log("paste " + describe(text));
    setClipboard(form_, text);
    chord({VK_CONTROL}, 'V');
}

void TRandomUser::click() {
    const TPlace& place = places_[random_() % places_.size()];
    log("click " + place.name);
    POINT screen = place.point;
    ClientToScreen(place.window, &screen);
    SetCursorPos(screen.x, screen.y);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
}

void TRandomUser::turnWheel() {
    const bool down = random_() % 2 != 0;
    log(down ? "wheel down" : "wheel up");
    INPUT wheel = {};
    wheel.type = INPUT_MOUSE;
    wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
    wheel.mi.mouseData = static_cast<DWORD>(down ? -WHEEL_DELTA : WHEEL_DELTA);
    SendInput(1, &wheel, sizeof(INPUT));
}

void TRandomUser::sendKey(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &input, sizeof(INPUT));
}

void TRandomUser::sendCharacter(wchar_t c) {
    INPUT input[2] = {};
    for (INPUT& stroke : input) {
        stroke.type = INPUT_KEYBOARD;
        stroke.ki.wScan = c;
        stroke.ki.dwFlags = KEYEVENTF_UNICODE;
    }
    input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
}

void TRandomUser::chord(std::initializer_list<WORD> modifiers, WORD key) {
    for (WORD modifier : modifiers) sendKey(modifier, false);
    sendKey(key, false);
    sendKey(key, true);
    for (WORD modifier : modifiers) sendKey(modifier, true);
}

void TRandomUser::log(std::string action) {
    if (!log_.empty()) log_ += '\n';
    log_ += std::to_string(actions_) + ": " + action;
}

std::string TRandomUser::lastActions(std::size_t count) const {
    std::size_t start = log_.size();
    for (std::size_t lines = 0; lines < count && start > 0; ++lines) {
        const std::size_t end = log_.rfind('\n', start - 1);
        start = end == std::string::npos ? 0 : end;
    }
    return log_.substr(start == 0 ? 0 : start + 1) + "\n";
}

void TRandomUser::writeLog(const std::string& path) const {
    if (std::FILE* file = std::fopen(path.c_str(), "w")) {
        std::fprintf(file, "seed %u, %d actions\n%s\n", static_cast<unsigned>(seed_), actions_, log_.c_str());
        std::fclose(file);
    }
}

}  // namespace testsupport
