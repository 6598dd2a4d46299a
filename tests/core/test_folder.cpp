#include "test_folder.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/utf8_path.h"

namespace kv12::test {

TestFolder::TestFolder() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("kv12-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

TestFolder::~TestFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

std::filesystem::path TestFolder::operator/(std::string_view name) const { return path_ / PathFromUtf8(name); }

void TestFolder::Write(std::string_view name, std::string_view bytes) const {
    std::ofstream out(*this / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("test fixture: cannot write " + std::string(name));
}

void TestFolder::Write(std::string_view name, const std::vector<std::uint8_t>& bytes) const {
    Write(name, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string TestFolder::Read(std::string_view name) const {
    std::ifstream in(*this / name, std::ios::binary);
    if (!in) throw std::runtime_error("test fixture: cannot read " + std::string(name));
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool TestFolder::Exists(std::string_view name) const { return std::filesystem::exists(*this / name); }

std::vector<std::string> TestFolder::Files() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) names.push_back(PathToUtf8(e.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace kv12::test
