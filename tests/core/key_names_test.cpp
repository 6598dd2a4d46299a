#include "core/key_names.h"

#include <gtest/gtest.h>

#include <iterator>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/key_tables.h"
#include "tests/common/case_name.h"

namespace kv12 {
namespace {

struct ScanCase {
    unsigned scanCode;
    bool extended;
    const char* name;
};

class KeyNameCases : public ::testing::TestWithParam<ScanCase> {};

TEST_P(KeyNameCases, GivesTheEnglishWindowsName) {
    const ScanCase& c = GetParam();
    EXPECT_EQ(KeyNameFromScanCode(static_cast<std::uint8_t>(c.scanCode), c.extended), c.name)
        << std::hex << c.scanCode << (c.extended ? " extended" : "");
}

// "NumEnter_ScanE01C": the expected name, then the scan code with its E0 prefix when extended.
std::string ScanCaseName(const ::testing::TestParamInfo<ScanCase>& info) {
    return test::CaseName(info.param.name) + "_Scan" + (info.param.extended ? "E0" : "") +
           test::CaseHex(info.param.scanCode);
}

INSTANTIATE_TEST_SUITE_P(
    KeyNames, KeyNameCases,
    ::testing::Values(
        ScanCase{0x1E, false, "A"}, ScanCase{0x01, false, "Esc"}, ScanCase{0x1C, false, "Enter"},
        ScanCase{0x1C, true, "Num Enter"}, ScanCase{0x1D, false, "Ctrl"}, ScanCase{0x1D, true, "Right Ctrl"},
        ScanCase{0x2A, false, "Shift"}, ScanCase{0x36, false, "Right Shift"}, ScanCase{0x38, false, "Alt"},
        ScanCase{0x38, true, "Right Alt"}, ScanCase{0x5B, true, "Left Windows"},
        ScanCase{0x5C, true, "Right Windows"}, ScanCase{0x4F, false, "Num 1"}, ScanCase{0x4F, true, "End"},
        ScanCase{0x37, false, "Num *"}, ScanCase{0x37, true, "Prnt Scrn"}, ScanCase{0x35, false, "/"},
        ScanCase{0x35, true, "Num /"}, ScanCase{0x45, false, "Pause"}, ScanCase{0x45, true, "Num Lock"},
        ScanCase{0x46, false, "Scroll Lock"}, ScanCase{0x46, true, "Break"}, ScanCase{0x49, true, "Page Up"},
        ScanCase{0x51, true, "Page Down"}, ScanCase{0x52, true, "Insert"}, ScanCase{0x53, true, "Delete"},
        ScanCase{0x53, false, "Num Del"}, ScanCase{0x52, false, "Num 0"}, ScanCase{0x48, true, "Up"},
        ScanCase{0x4B, true, "Left"}, ScanCase{0x39, false, "Space"}, ScanCase{0x3A, false, "Caps Lock"},
        ScanCase{0x0E, false, "Backspace"}, ScanCase{0x57, false, "F11"}, ScanCase{0x58, false, "F12"},
        ScanCase{0x29, false, "`"}, ScanCase{0x2B, false, "\\"}, ScanCase{0x2B, true, "Eurpo(Note 2)"},
        ScanCase{0x56, false, "Non-US \\"}, ScanCase{0x5D, true, "Application"}, ScanCase{0x64, false, "F13"},
        ScanCase{0x76, false, "F24"}),
    ScanCaseName);

// Keys without a name of their own get one that no key-table row carries.
INSTANTIATE_TEST_SUITE_P(Fallback, KeyNameCases,
                         ::testing::Values(ScanCase{0x00, false, "Key 0x00"},
                                           ScanCase{0x5A, false, "Key 0x5A"},
                                           ScanCase{0x1E, true, "Key 0xE01E"},
                                           ScanCase{0xFF, true, "Key 0xE0FF"},
                                           ScanCase{0x80, false, "Key 0x80"}),
                         ScanCaseName);

// The main block row by row, from the scan code of each row's first key.
TEST(KeyNameFromScanCode, NamesTheMainBlockInLayoutOrder) {
    const std::pair<unsigned, std::string> rows[] = {
        {0x02, "1234567890-="}, {0x10, "QWERTYUIOP[]"}, {0x1E, "ASDFGHJKL;'`"}, {0x2B, "\\ZXCVBNM,./"}};
    for (const auto& [first, keys] : rows) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            EXPECT_EQ(KeyNameFromScanCode(static_cast<std::uint8_t>(first + i), false), keys.substr(i, 1))
                << std::hex << first + i;
        }
    }
}

TEST(KeyNameFromScanCode, NamesTheKeypadAndFunctionKeysInScanOrder) {
    const char* keypad[] = {"Num 7", "Num 8", "Num 9", "Num -", "Num 4", "Num 5",  "Num 6",
                            "Num +", "Num 1", "Num 2", "Num 3", "Num 0", "Num Del"};
    for (unsigned i = 0; i < std::size(keypad); ++i) {
        EXPECT_EQ(KeyNameFromScanCode(static_cast<std::uint8_t>(0x47 + i), false), keypad[i]);
    }
    for (unsigned i = 0; i < 10; ++i) {
        EXPECT_EQ(KeyNameFromScanCode(static_cast<std::uint8_t>(0x3B + i), false),
                  "F" + std::to_string(i + 1));
    }
}

// Every name a key can yield, with the inputs that yield it.
std::map<std::string, std::vector<std::pair<unsigned, bool>>> AllNames() {
    std::map<std::string, std::vector<std::pair<unsigned, bool>>> names;
    for (unsigned scan = 0; scan < 256; ++scan) {
        for (bool extended : {false, true}) {
            names[KeyNameFromScanCode(static_cast<std::uint8_t>(scan), extended)].emplace_back(scan,
                                                                                               extended);
        }
    }
    return names;
}

TEST(KeyNameFromScanCode, ReachesEveryKeyboardNameOfTheKeyTable) {
    const auto names = AllNames();
    for (const KeyNameUsage& row : KeyUsageTable()) {
        const bool keyboard =
            (row.usage >= 0x04 && row.usage <= 0x63) || (row.usage >= 0xE0 && row.usage <= 0xE7);
        if (keyboard) {
            EXPECT_TRUE(names.contains(std::string(row.name))) << "no key is named \"" << row.name << '"';
        }
    }
}

TEST(KeyNameFromScanCode, GivesEachKeyItsOwnNameAndNeverAMouseButton) {
    for (const auto& [name, inputs] : AllNames()) {
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(inputs.size(), 1u) << '"' << name << "\" names " << inputs.size() << " keys";
        const std::uint8_t usage = KeyUsageByName(name);
        EXPECT_TRUE(usage < 0xF0) << '"' << name << "\" is a mouse button name";
    }
}

}  // namespace
}  // namespace kv12
