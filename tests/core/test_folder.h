// A fresh, empty folder per test, removed afterwards.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kv12::test {

class TestFolder {
public:
    TestFolder();
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const;

    void Write(std::string_view name, std::string_view bytes) const;
    void Write(std::string_view name, const std::vector<std::uint8_t>& bytes) const;
    std::string Read(std::string_view name) const;
    bool Exists(std::string_view name) const;
    // Names of the files in the folder, sorted.
    std::vector<std::string> Files() const;

private:
    std::filesystem::path path_;
};

}  // namespace kv12::test
