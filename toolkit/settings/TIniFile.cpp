#include "toolkit/settings/TIniFile.h"

#include <windows.h>

#include "toolkit/text/NumberText.h"
#include "toolkit/text/WideText.h"

namespace toolkit {

TIniFile* openIniFile(std::string_view fileName) {
    auto* ini = new TIniFile;
    ini->fileName.assign(fileName);
    return ini;
}

namespace {

// A new ini file starts as a UTF-16 file (its byte-order mark), which the profile
// functions then keep: names and values in Cyrillic survive whatever the system's ANSI
// code page is. A file that exists already, an earlier version's ANSI file among them,
// is read and written as it is.
void createAsUnicode(const std::wstring& file) {
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return;
    static constexpr unsigned char byteOrderMark[] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(handle, byteOrderMark, sizeof byteOrderMark, &written, nullptr);
    CloseHandle(handle);
}

}  // namespace

std::int32_t TIniFile::valueInteger(std::string_view key, std::int32_t value) {
    const std::wstring wideSection = toWide(section);
    const std::wstring wideKey = toWide(key);
    const std::wstring wideFile = toWide(fileName);
    if (mode == write) {
        createAsUnicode(wideFile);
        WritePrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), toWide(intToText(value)).c_str(),
                                   wideFile.c_str());
        return value;
    }
    return static_cast<std::int32_t>(
        GetPrivateProfileIntW(wideSection.c_str(), wideKey.c_str(), value, wideFile.c_str()));
}

std::string TIniFile::valueText(std::string_view key, std::string_view value) {
    const std::wstring wideSection = toWide(section);
    const std::wstring wideKey = toWide(key);
    const std::wstring wideFile = toWide(fileName);
    if (mode == write) {
        createAsUnicode(wideFile);
        WritePrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), toWide(value).c_str(),
                                   wideFile.c_str());
        return std::string(value);
    }
    wchar_t text[1025] = {};
    const DWORD length = GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), toWide(value).c_str(),
                                                  text, 1025, wideFile.c_str());
    return fromWide(std::wstring_view(text, length));
}

std::string userDataDirectory(std::string_view name) {
    wchar_t base[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", base, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "";
    std::wstring folder = std::wstring(base, length) + L'\\' + toWide(name);
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return "";
    return fromWide(folder + L'\\');
}

std::string programDirectory() {
    wchar_t name[261] = {};
    const DWORD length = GetModuleFileNameW(nullptr, name, 261);
    std::wstring path(name, length < 261 ? length : 260);
    const std::size_t slash = path.rfind(L'\\');
    if (slash != std::wstring::npos) path.resize(slash + 1);
    return fromWide(path);
}

}  // namespace toolkit
