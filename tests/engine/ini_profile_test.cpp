#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/bindings/key_map_file.h"
#include "engine/settings.h"
#include "tests/support/temp_ini.h"

namespace pwstd {
namespace {

using testing::TempIni;

TEST(IniFileProfile, AWriteChangesOnlyItsOwnValueByteForByte) {
    const std::string fixture =
        "; written by hand\r\n"
        "[Padwright Standard]\r\n"
        "Kando=4000\r\n"
        "Wait = 25 \r\n"
        "\r\n"
        "[Unknown]\r\n"
        "odd line without equals\r\n"
        "x=1\r\n"
        "[KeySettei]\r\n"
        "Cursor1=38\r\n";
    struct Case {
        std::string section, key, value, expected;
    };
    const std::vector<Case> cases = {
        {"Padwright Standard", "wait", "50",
         "; written by hand\r\n[Padwright Standard]\r\nKando=4000\r\nWait =50\r\n\r\n[Unknown]\r\n"
         "odd line without equals\r\nx=1\r\n[KeySettei]\r\nCursor1=38\r\n"},
        {"Padwright Standard", "Buttons", "4",
         "; written by hand\r\n[Padwright Standard]\r\nKando=4000\r\nWait = 25 \r\nButtons=4\r\n\r\n[Unknown]\r\n"
         "odd line without equals\r\nx=1\r\n[KeySettei]\r\nCursor1=38\r\n"},
        {"KeySettei", "Cursor2", "40", fixture + "Cursor2=40\r\n"},
        {"KeySetteiTemp1", "TempName", "a", fixture + "[KeySetteiTemp1]\r\nTempName=a\r\n"},
    };
    for (const Case& c : cases) {
        TempIni ini;
        ini.Write(fixture);
        EXPECT_EQ(ini.profile.put(c.section, c.key, c.value, ini.path), 1);
        EXPECT_EQ(ini.Contents(), c.expected) << c.section << "/" << c.key;
    }
}

TEST(IniFileProfile, WritesTheLayoutWindowsWrites) {
    TempIni ini;
    for (auto [k, v] : {std::pair{"Kando", "4000"}, {"Wait", "25"}}) ini.profile.put("Padwright Standard", k, v, ini.path);
    ini.profile.put("KeySettei", "Cursor1", "38", ini.path);
    EXPECT_EQ(ini.Contents(), "[Padwright Standard]\r\nKando=4000\r\nWait=25\r\n[KeySettei]\r\nCursor1=38\r\n");
}

TEST(IniFileProfile, ALineEndInAValueCannotAddKeysOrSections) {
    TempIni ini;
    ini.profile.put("KeySetteiTemp1", "TempName", "name\r\n[Padwright Standard]\r\nWait=1", ini.path);
    EXPECT_EQ(ini.profile.get("KeySetteiTemp1", "TempName", "", ini.path), "name");
    EXPECT_EQ(ini.profile.get("Padwright Standard", "Wait", "25", ini.path), "25");
}

TEST(IniFileProfile, OddFilesNeverBreakTheOtherKeys) {
    struct Case {
        std::string name, bytes;
    };
    const std::string nul("\0\0\0", 3);
    const std::vector<Case> cases = {
        {"byte-order mark", "\xEF\xBB\xBF[Padwright Standard]\r\nWait=30\r\n"},
        {"no final line end", "[Padwright Standard]\r\nWait=30"},
        {"bare LF", "[Padwright Standard]\nWait=30\n"},
        {"NUL bytes", "[X]\r\na=" + nul + "\r\n[Padwright Standard]\r\nWait=30\r\n"},
        {"a line of 100000 characters", "[X]\r\nlong=" + std::string(100000, 'z') + "\r\n[Padwright Standard]\r\nWait=30\r\n"},
        {"binary", std::string("\x01\xFF[\x80]=\r\r\n\x00=\x00", 12) + "\r\n[Padwright Standard]\r\nWait=30\r\n"},
        {"unclosed section", "[Padwright Standard\r\nWait=30\r\n"},
    };
    for (const Case& c : cases) {
        TempIni ini;
        ini.Write(c.bytes);
        SettingsFile file(ini.profile, ini.path);
        EXPECT_EQ(file.Wait(), 30) << c.name;
        EXPECT_EQ(ini.profile.put("Padwright Standard", "Buttons", "8", ini.path), 1) << c.name;
        EXPECT_EQ(file.Buttons(), 8) << c.name;
        EXPECT_EQ(file.Wait(), 30) << c.name;
        EXPECT_EQ(ini.profile.put("KeySettei", "Cursor1", "90", ini.path), 1) << c.name;
        EXPECT_EQ(ReadKeyCode(file, 0, kControlUp), 90) << c.name;
        EXPECT_EQ(file.Wait(), 30) << c.name;
    }
}

TEST(IniFileProfile, ValuesReadBackAsTheWindowsServiceGivesThem) {
    struct Case {
        std::string line, def, expected;
    };
    const std::vector<Case> cases = {
        {"v=\"quoted\"", "d", "quoted"},
        {"v='quoted'", "d", "quoted"},
        {"v=\"half", "d", "\"half"},
        {"v=\"", "d", "\""},
        {std::string("v=12\0 34", 9), "d", "12"},
        {"v=" + std::string(300, 'x'), "d", std::string(254, 'x')},
        {"other=1", "default  ", "default"},
        {"other=1", std::string(300, 'd'), std::string(254, 'd')},
    };
    for (const Case& c : cases) {
        TempIni ini;
        ini.Write("[S]\r\n" + c.line + "\r\n");
        EXPECT_EQ(ini.profile.get("S", "v", c.def, ini.path), c.expected) << c.line;
    }
}

TEST(IniFileProfile, AByteOrderMarkAndALastLineWithoutLineEndAreKept) {
    TempIni ini;
    ini.Write("\xEF\xBB\xBF[S]\r\na=1");
    EXPECT_EQ(ini.profile.put("S", "b", "2", ini.path), 1);
    EXPECT_EQ(ini.Contents(), "\xEF\xBB\xBF[S]\r\na=1\r\nb=2\r\n");
    EXPECT_EQ(ini.profile.put("S", "A", "3", ini.path), 1);
    EXPECT_EQ(ini.Contents(), "\xEF\xBB\xBF[S]\r\na=3\r\nb=2\r\n");
}

TEST(IniFileProfile, ALineOfAMegabyteWithoutLineEndIsReadAndWritten) {
    TempIni ini;
    ini.Write("[Padwright Standard]\r\nWait=30\r\n[Junk]\r\nk=" + std::string(1u << 20, 'j'));
    SettingsFile file(ini.profile, ini.path);
    EXPECT_EQ(ini.profile.get("Junk", "k", "", ini.path), std::string(254, 'j'));
    EXPECT_EQ(ini.profile.put("Junk", "k2", "1", ini.path), 1);
    EXPECT_EQ(ini.profile.get("Junk", "k2", "", ini.path), "1");
    EXPECT_EQ(file.Wait(), 30);
    EXPECT_EQ(ini.Contents().size(), (1u << 20) + 41 + 2 + 6);
}

TEST(IniFileProfile, WhatCannotBeWrittenIsLostWithoutHarm) {
    TempIni ini;
    std::filesystem::create_directory(ini.path);  // the settings file's name taken by a folder
    EXPECT_EQ(ini.profile.put("Padwright Standard", "Wait", "50", ini.path), 0);
    EXPECT_EQ(ini.profile.get("Padwright Standard", "Wait", "25", ini.path), "25");
    EXPECT_EQ(ini.profile.put("Padwright Standard", "Wait", "50", ini.Folder() + "/missing/PwStd.ini"), 0);
}

}  // namespace
}  // namespace pwstd
