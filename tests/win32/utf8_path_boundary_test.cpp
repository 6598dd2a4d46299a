// File names travel as UTF-8 in the portable code and as UTF-16 through Win32:
// both views must name the same file.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/utf8_path.h"
#include "win32/unique_handle.h"
#include "win32/wide_text.h"

namespace kv12::win32 {
namespace {

struct NameCase {
    const char* what;
    const char* name;  // UTF-8
};

class Utf8PathBoundary : public ::testing::TestWithParam<NameCase> {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("kv12-utf8-boundary-" + std::to_string(::GetCurrentProcessId()));
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    // The names Win32 lists in the folder, as UTF-8.
    std::vector<std::string> ListedByWin32() const {
        std::vector<std::string> names;
        WIN32_FIND_DATAW found{};
        const HANDLE search = ::FindFirstFileW((folder / L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) return names;
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") names.push_back(Utf8FromWide(name));
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
        return names;
    }

    std::filesystem::path folder;
};

TEST_P(Utf8PathBoundary, AFileMadeFromAUtf8NameIsListedByWin32UnderThatName) {
    const std::string name = GetParam().name;
    {
        std::ofstream out(folder / PathFromUtf8(name), std::ios::binary);
        out << "x";
        ASSERT_TRUE(out.good()) << name;
    }
    EXPECT_EQ(ListedByWin32(), std::vector<std::string>{name});
    const auto entry = *std::filesystem::directory_iterator(folder);
    EXPECT_EQ(PathToUtf8(entry.path().filename()), name);

    // And Win32 opens it by the UTF-16 form of the same name.
    const UniqueFile file(::CreateFileW((folder / WideFromUtf8(name)).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(file.IsValid()) << name;
}

INSTANTIATE_TEST_SUITE_P(Names, Utf8PathBoundary,
                         ::testing::Values(NameCase{"Ascii", "config.bin"},
                                           NameCase{"Chinese", "\xE9\x85\x8D\xE7\xBD\xAE.ini"},  // 配置.ini
                                           NameCase{"ChineseWithASpace",
                                                    "\xE7\x9A\xAE\xE8\x82\xA4 \xE7\xB4\x85"},  // 皮肤 紅
                                           NameCase{"AccentAndOutsideTheBasicPlane",
                                                    "caf\xC3\xA9 \xF0\x9F\x96\xB1.txt"}),  // café 🖱.txt
                         [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace kv12::win32
