// What the vibration program knows, a line of a table each: the quantities and their
// units, the kinds of value, the units of the frequency, the documents' dB references,
// the rows of the result table, and the severity zones of each machine class. The
// schema, its lists, formulas and layout are made from these tables.
#pragma once

#include <cstdint>
#include <numbers>

namespace vibration {

// The quantities of the value's list: the item (its unit after the last ", ", as a
// paste may name it), the factor from that unit to the SI unit (a level has none), the
// power of the angular frequency that makes the quantity an acceleration, and whether
// the item is a level.
struct Quantity {
    const char* item;
    double unit;
    int omegaPower;
    bool level;
};
// clang-format off
constexpr Quantity quantities[] = {
    {"виброускорение, м/с2", 1, 0, false},
    {"виброускорение, g", 9.80665, 0, false},
    {"виброскорость, мм/с", 0.001, 1, false},
    {"виброскорость, м/с", 1, 1, false},
    {"виброскорость, дюйм/с", 0.0254, 1, false},
    {"виброперемещение, мкм", 0.000001, 2, false},
    {"виброперемещение, мм", 0.001, 2, false},
    {"виброперемещение, мил", 0.0000254, 2, false},
    {"уровень виброускорения, дБ", 0, 0, true},
    {"уровень виброскорости, дБ", 0, 1, true},
    {"уровень виброперемещения, дБ", 0, 2, true},
};
// clang-format on
constexpr int startQuantity = 8;  // the acceleration level

// The kinds of value and their factors to the RMS value.
struct Kind {
    const char* item;
    double factor;
};
constexpr Kind kinds[] = {
    {"СКЗ", 1},
    {"пиковое", std::numbers::sqrt2},
    {"размах", 2 * std::numbers::sqrt2},
};

// The units of the frequency and their factors to Hz.
struct FrequencyUnit {
    const char* item;
    double hertz;
};
constexpr FrequencyUnit frequencyUnits[] = {
    {"Гц", 1},
    {"об/мин", 1.0 / 60},
};

// The dB references of each set of documents, in m/s2, m/s and m; 0 where it has none.
struct Preset {
    const char* item;
    double acceleration, velocity, displacement;
};
constexpr Preset presets[] = {
    {"ISO 1683: 1e-6 м/с2, 1e-9 м/с, 1e-12 м", 1e-6, 1e-9, 1e-12},
    {"СН 2.2.4/2.1.8.566-96, ГОСТ 12.1.012-90: 1e-6 м/с2, 5e-8 м/с", 1e-6, 5e-8, 0},
    {"Старые и судовые нормы: 3e-4 м/с2, 5e-8 м/с", 3e-4, 5e-8, 0},
    {"ANSI S1.8, JIS C 1510: 1e-5 м/с2, 1e-8 м/с", 1e-5, 1e-8, 0},
};

// Which reference of the documents a row's level is against.
enum class Reference : std::uint8_t { none, acceleration, velocity, displacement };

// The rows of the result table: the RMS value in the row's unit from the RMS
// acceleration %1 and the frequency in Hz %2; in the first row of each quantity the
// quantity in SI units, whose level against the reference %3 the row shows; and the row
// whose RMS value the display shows and the severity zone is of.
struct Row {
    const char* caption;
    const char* rms;
    const char* levelOf;  // none: no level column
    Reference reference;
    bool shownOnDisplay;
};
constexpr Row rows[] = {
    {"Виброускорение, м/с2", "%1", "%1", Reference::acceleration, false},
    {"Виброускорение, g", "%1 / 9.80665", nullptr, Reference::none, false},
    {"Виброскорость, мм/с", "%1 / (2 * pi * %2) * 1000", "%1 / (2 * pi * %2)", Reference::velocity, true},
    {"Виброскорость, м/с", "%1 / (2 * pi * %2)", nullptr, Reference::none, false},
    {"Виброскорость, дюйм/с", "%1 / (2 * pi * %2) / 0.0254", nullptr, Reference::none, false},
    {"Виброперемещение, мкм", "%1 / (2 * pi * %2) ^ 2 * 1000000", "%1 / (2 * pi * %2) ^ 2",
     Reference::displacement, false},
    {"Виброперемещение, мм", "%1 / (2 * pi * %2) ^ 2 * 1000", nullptr, Reference::none, false},
    {"Виброперемещение, мил", "%1 / (2 * pi * %2) ^ 2 / 0.0000254", nullptr, Reference::none, false},
};

// The columns of the result table: the kind of value and its factor to the RMS value,
// then the level.
struct Column {
    const char* header;
    const char* ofRms;
};
constexpr Column valueColumns[] = {{"СКЗ", ""}, {"пик", " * sqrt(2)"}, {"размах", " * 2 * sqrt(2)"}};
constexpr const char* levelHeader = "уровень, дБ";

// The machine classes and their severity zones' boundaries of the RMS velocity in mm/s
// (broadband, 10-1000 Hz): A/B, B/C, C/D; a value on a boundary is in the higher zone.
struct MachineClass {
    const char* item;
    double boundaries[3];
};
constexpr MachineClass machineClasses[] = {
    {"ГОСТ ИСО 10816-1, класс I: малые машины (до 15 кВт)", {0.71, 1.8, 4.5}},
    {"ГОСТ ИСО 10816-1, класс II: средние машины (15–75 кВт)", {1.12, 2.8, 7.1}},
    {"ГОСТ ИСО 10816-1, класс III: большие машины, жёсткий фундамент", {1.8, 4.5, 11.2}},
    {"ГОСТ ИСО 10816-1, класс IV: большие машины, податливый фундамент", {2.8, 7.1, 18}},
    {"ГОСТ ИСО 10816-3, группа 1 (300 кВт – 50 МВт), жёсткая опора", {2.3, 4.5, 7.1}},
    {"ГОСТ ИСО 10816-3, группа 1 (300 кВт – 50 МВт), податливая опора", {3.5, 7.1, 11}},
    {"ГОСТ ИСО 10816-3, группа 2 (15–300 кВт), жёсткая опора", {1.4, 2.8, 4.5}},
    {"ГОСТ ИСО 10816-3, группа 2 (15–300 кВт), податливая опора", {2.3, 4.5, 7.1}},
};
constexpr int startMachineClass = 1;  // class II

// The zones, from the lowest: the line shown (black on the zone's colour, 0x00BBGGRR).
struct Zone {
    const char* line;
    std::uint32_t colour;
};
constexpr Zone zones[] = {
    {"Зона A — новые машины", 0x50C850},
    {"Зона B — длительная эксплуатация без ограничений", 0x3CDCB4},
    {"Зона C — ограниченное время, планировать ремонт", 0x00A5FF},
    {"Зона D — опасно, возможны повреждения", 0x3C3CE6},
};

}  // namespace vibration
