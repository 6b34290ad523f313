// Ini files beside the test program.
#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/settings/TIniFile.h"
#include "toolkit/text/WideText.h"

using namespace toolkit;

TEST(ProgramDirectory, IsTheProgramsFolderWithItsBackslash) {
    const std::string folder = programDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    wchar_t module[MAX_PATH];
    GetModuleFileNameW(nullptr, module, MAX_PATH);
    const std::string full = fromWide(module);
    EXPECT_EQ(full.substr(0, folder.size()), folder);
    EXPECT_EQ(full.find('\\', folder.size()), std::string::npos);
}

TEST(IniFile, ValuesRoundTripAsDecimalText) {
    const std::string path = programDirectory() + "ini_file_test.ini";
    DeleteFileW(toWide(path).c_str());
    TIniFile* ini = openIniFile(path);
    EXPECT_EQ(ini->mode, TIniFile::read);
    EXPECT_EQ(ini->section, "");
    ini->section = "Position";
    EXPECT_EQ(ini->valueInteger("Left", 17), 17);  // no file yet: the default
    ini->mode = TIniFile::write;
    EXPECT_EQ(ini->valueInteger("Left", -5), -5);
    EXPECT_EQ(ini->valueInteger("Top", 120), 120);
    ini->mode = TIniFile::read;
    EXPECT_EQ(ini->valueInteger("Left", 0), -5);
    EXPECT_EQ(ini->valueInteger("Top", 0), 120);
    EXPECT_EQ(ini->valueInteger("Width", 33), 33);  // a key never written
    ini->section = "Other";
    EXPECT_EQ(ini->valueInteger("Left", 9), 9);  // a section never written

    wchar_t text[32] = {};
    GetPrivateProfileStringW(L"Position", L"Left", L"", text, 32, toWide(path).c_str());
    EXPECT_EQ(std::wstring(text), L"-5");
    ini->free();
    DeleteFileW(toWide(path).c_str());
}

// Names in Cyrillic round-trip whatever the system's code page (the tests run under 1252),
// and a second write finds the section instead of adding another.
TEST(IniFile, CyrillicNamesRoundTripAndAnOldAnsiFileStillReads) {
    const std::string path = programDirectory() + "ini_file_cyrillic.ini";
    const std::wstring file = toWide(path);
    DeleteFileW(file.c_str());
    TIniFile* ini = openIniFile(path);
    ini->section = "Окно";
    ini->mode = TIniFile::write;
    ini->valueInteger("Лево", 40);
    ini->valueInteger("Лево", 41);
    ini->mode = TIniFile::read;
    EXPECT_EQ(ini->valueInteger("Лево", 0), 41);
    wchar_t sections[64] = {};
    GetPrivateProfileSectionNamesW(sections, 64, file.c_str());
    EXPECT_EQ(std::wstring(sections), L"Окно");
    EXPECT_EQ(sections[5], L'\0');  // no second section
    DeleteFileW(file.c_str());

    const HANDLE old = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    const char ansi[] = "[Main]\r\nLeft=25\r\n";
    DWORD written = 0;
    WriteFile(old, ansi, sizeof ansi - 1, &written, nullptr);
    CloseHandle(old);
    ini->section = "Main";
    EXPECT_EQ(ini->valueInteger("Left", 0), 25);
    ini->mode = TIniFile::write;
    ini->valueInteger("Top", 7);
    ini->mode = TIniFile::read;
    EXPECT_EQ(ini->valueInteger("Left", 0), 25);
    EXPECT_EQ(ini->valueInteger("Top", 0), 7);
    ini->free();
    DeleteFileW(file.c_str());
}
