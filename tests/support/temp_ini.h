#pragma once
// A settings file in a folder of its own for one test, read and written with the portable profile
// service; removed with the test.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "engine/ini_profile.h"

namespace pwstd::testing {

class TempIni {
public:
    TempIni() {
        std::random_device random;
        folder_ = std::filesystem::temp_directory_path() /
                  ("pwstd-test-" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::create_directories(folder_);
        path = (folder_ / "PwStd.ini").string();
    }
    ~TempIni() {
        std::error_code error;
        std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, error);
        std::filesystem::remove_all(folder_, error);
    }
    TempIni(const TempIni&) = delete;
    TempIni& operator=(const TempIni&) = delete;

    std::string Contents() const {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    void Write(const std::string& text) const {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << text;
    }
    std::string Folder() const { return folder_.string(); }

    std::string path;
    Utf8Codec codec;
    IniFileProfile profile{codec};

private:
    std::filesystem::path folder_;
};

}  // namespace pwstd::testing
