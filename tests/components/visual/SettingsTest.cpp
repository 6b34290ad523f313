// What a program keeps between runs: stored at close, given back at start, and a missing,
// damaged or unwritable file giving only the defaults.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "components/visual/TZTSettings.h"
#include "dataflow/EventDispatch.h"
#include "tests/support/Sink.h"
#include "toolkit/text/WideText.h"

using namespace components;
using namespace dataflow;

namespace {

struct Source {
    std::string text;
    void point(TData& data, std::uint16_t) { setString(data, text); }
    using DataPoints = TDataPoints<&Source::point>;
};

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        enableEvents();
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        file = toolkit::fromWide(folder) + "settings-test.ini";
        DeleteFileW(toolkit::toWide(file).c_str());
        settings.fileName = file;
        settings.settings = {
            {"Value", TZTSettings::TKind::number, makeDataLink<&Source::point>(value),
             makeLink<&testsupport::Sink::input>(values)},
            {"Unit", TZTSettings::TKind::index, makeDataLink<&Source::point>(unit),
             makeLink<&testsupport::Sink::input>(units)},
            {"Note", TZTSettings::TKind::text, makeDataLink<&Source::point>(note),
             makeLink<&testsupport::Sink::input>(notes)},
        };
    }
    void TearDown() override {
        DeleteFileW(toolkit::toWide(file).c_str());
        disableEvents();
    }
    void restore() { fireEventNull(makeLink<&TZTSettings::restore>(settings)); }
    void store() { fireEventNull(makeLink<&TZTSettings::store>(settings)); }
    void write(const std::string& content) { std::ofstream(file, std::ios::binary) << content; }
    std::vector<std::string> restored() {
        std::vector<std::string> all;
        for (auto* sink : {&values, &units, &notes})
            for (const std::string& text : sink->texts()) all.push_back(text);
        return all;
    }

    std::string file;
    TZTSettings settings;
    Source value, unit, note;
    testsupport::Sink values, units, notes;
};

}  // namespace

TEST_F(Settings, WhatIsStoredComesBackAtTheNextStart) {
    restore();
    EXPECT_TRUE(restored().empty());  // no file yet: the defaults stand
    value.text =
        "1\xA0"
        "000,5";
    unit.text = "10";
    note.text = "\xC7\xEE\xED\xE0 B";  // "Зона B"
    store();
    restore();
    EXPECT_EQ(restored(), (std::vector<std::string>{"1\xA0"
                                                    "000,5",
                                                    "10", "\xC7\xEE\xED\xE0 B"}));
}

TEST_F(Settings, ADamagedOrForeignFileGivesBackOnlyWhatIsOfItsKind) {
    static constexpr char garbage[] = "\xFF\xFE\x00 garbage\r\n[Other]\r\nValue=1\r\n";
    const struct {
        std::string content;
        std::vector<std::string> restored;
    } files[] = {
        {"[Settings]\r\nValue=abc\r\nUnit=-1\r\nNote=x\r\n", {"x"}},
        {"[Settings]\r\nValue=4,5\r\nUnit=2a\r\n", {"4,5"}},
        {"[Settings]\r\nValue=\r\nUnit=99999\r\n", {""}},  // an emptied field; no such index
        {std::string(garbage, sizeof garbage - 1), {}},
        {"", {}},
    };
    for (const auto& f : files) {
        values.values.clear();
        units.values.clear();
        notes.values.clear();
        write(f.content);
        restore();
        EXPECT_EQ(restored(), f.restored) << f.content;
    }
    write("[Settings]\r\nNote=" + std::string(5000, 'x') + "\r\n");  // no setting is that long
    notes.values.clear();
    restore();
    EXPECT_TRUE(notes.values.empty());
}

TEST_F(Settings, AFileThatCannotBeWrittenLosesOnlyTheKeeping) {
    CreateDirectoryW(toolkit::toWide(file).c_str(), nullptr);  // a folder where the file would be
    value.text = "5";
    store();
    restore();
    EXPECT_TRUE(restored().empty());
    RemoveDirectoryW(toolkit::toWide(file).c_str());
    settings.fileName = file.substr(0, file.rfind('\\')) + "\\no such folder\\settings.ini";
    store();
    restore();
    EXPECT_TRUE(restored().empty());
}
