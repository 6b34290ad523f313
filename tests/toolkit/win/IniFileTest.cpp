// Ini files beside the test program.
#include <windows.h>

#include <gtest/gtest.h>

#include "toolkit/TIniFile.h"
#include "toolkit/WideText.h"

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
