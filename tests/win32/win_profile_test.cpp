// The Windows profile service: the shared profile contract, and what only the Windows side can show
// (the file's bytes in code page 932, a settings folder with a Japanese name).
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/win_ansi_code_page.h"
#include "platform/win32/win_profile.h"
#include "platform/win32/win_text.h"
#include "tests/contract/profile_contract.h"
#include "tests/win32/support/win_test_support.h"

namespace pwstd::testing {
namespace {

using wintest::Narrow;
using wintest::Widen;

class WindowsWorld final : public ProfileWorld {
public:
    Profile& profile() override { return profile_; }
    std::string NewFile(const std::string& name) override {
        return Narrow(dir_.file(Widen(name)));
    }
    std::string Bytes(const std::string& path) override {
        return wintest::ReadFileBytes(Widen(path));
    }
    void SetBytes(const std::string& path, const std::string& bytes) override {
        HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    // Under Wine run by root the read-only attribute alone does not stop a write (root may write
    // any file), so the file is also held open against writers, which Wine and Windows both honour.
    void MakeReadOnly(const std::string& path) override {
        ASSERT_TRUE(SetFileAttributesW(Widen(path).c_str(), FILE_ATTRIBUTE_READONLY));
        held_ = CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held_, INVALID_HANDLE_VALUE);
    }
    ~WindowsWorld() override {
        if (held_ != INVALID_HANDLE_VALUE) CloseHandle(held_);
    }
    std::string Ansi(const std::string& utf8) override { return Utf8ToAnsi(utf8); }

private:
    wintest::TempDir dir_;
    WinProfile profile_;
    HANDLE held_ = INVALID_HANDLE_VALUE;
};

std::unique_ptr<ProfileWorld> MakeWindowsWorld() { return std::make_unique<WindowsWorld>(); }

INSTANTIATE_TEST_SUITE_P(Windows, ProfileContract, ::testing::Values(&MakeWindowsWorld));

// The file keeps the system's ANSI code page; the Japanese test runs use code page 932.
TEST(WinProfile, StoresJapaneseTextInCodePage932) {
    ASSERT_EQ(GetACP(), 932u) << "run the Windows tests through scripts/wine-env";
    WindowsWorld world;
    const std::string file = world.NewFile("PwStd.ini");
    world.profile().put("KeySetteiTemp1", "TempName", "テンプレート１", file);
    EXPECT_EQ(world.Bytes(file),
              "[KeySetteiTemp1]\r\nTempName="
              "\x83\x65\x83\x93\x83\x76\x83\x8C\x81\x5B\x83\x67\x82\x50\r\n");

    // A file written by another program in code page 932 reads back as the same text.
    world.SetBytes(file, "[KeySetteiTemp2]\r\nTempName=\x8A\x69\x93\xAC\r\n");
    EXPECT_EQ(world.profile().get("KeySetteiTemp2", "TempName", "", file), "格闘");
}

// The 254-byte cut can fall inside a double-byte character; the service then leaves the buffer's
// next byte as it was, so what comes back must still be whole characters of the stored value.
TEST(WinProfile, ACutValueEndsWithWholeCharacters) {
    WindowsWorld world;
    const std::string file = world.NewFile("PwStd.ini");
    for (const std::string lead : {"", "a"}) {
        std::string value = lead;
        for (int i = 0; i < 130; ++i) value += "テ";
        world.profile().put("KeySetteiTemp1", "TempName", value, file);
        const std::string got = world.profile().get("KeySetteiTemp1", "TempName", "", file);
        EXPECT_EQ(value.rfind(got, 0), 0u) << "not a prefix: " << got;
        EXPECT_GE(Utf8ToAnsi(got).size(), 253u);
        EXPECT_LE(Utf8ToAnsi(got).size(), 254u);
    }
}

// The folder's name need not fit the ANSI code page: Korean letters and "é" have no place in code
// page 932, yet the file is found, and stays ANSI.
TEST(WinProfile, FindsTheFileInAFolderNamedInAnyScript) {
    for (const std::wstring name : {L"設定フォルダ", L"설정 é"}) {
        wintest::TempDir dir;
        const std::wstring folder = dir.file(name);
        ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
        const std::string file = Narrow(folder + L"\\PwStd.ini");
        WinProfile profile;
        EXPECT_NE(profile.put("KeySetteiTemp1", "TempName", "テンプレート１", file), 0) << file;
        EXPECT_EQ(profile.get("KeySetteiTemp1", "TempName", "", file), "テンプレート１") << file;
        EXPECT_EQ(wintest::ReadFileBytes(folder + L"\\PwStd.ini"),
                  "[KeySetteiTemp1]\r\nTempName=" + Utf8ToAnsi("テンプレート１") + "\r\n")
            << file;
    }
}

// Code page 932 holds kana, kanji and Greek; Korean letters, "é", "µ" and emoji would come back
// as "?" or as a look-alike ("e", "μ"), so they are not held.
TEST(WinAnsiCodePage, HoldsOnlyWhatCodePage932GivesBackAsItself) {
    ASSERT_EQ(GetACP(), 932u) << "run the Windows tests through scripts/wine-env";
    const WinAnsiCodePage ansi;
    const std::vector<std::pair<std::string, bool>> rows = {
        {"ゲ", true}, {"漢", true}, {"ｱ", true}, {"Ω", true},
        {"게", false}, {"é", false}, {"µ", false}, {"🎮", false},
    };
    for (const auto& [character, held] : rows) EXPECT_EQ(ansi.holds(character), held) << character;
}

}  // namespace
}  // namespace pwstd::testing
