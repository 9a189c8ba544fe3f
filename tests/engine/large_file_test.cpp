// A settings file of 50 MB: read and written in reasonable time. Labelled "large": the unit suite
// stays quick, and the sanitizer runs leave it out.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "engine/settings.h"
#include "tests/support/temp_ini.h"

namespace pwstd {
namespace {

using testing::TempIni;

TEST(IniFileProfile, AFiftyMegabyteFileIsReadAndWrittenInReasonableTime) {
    TempIni ini;
    std::string big = "[Junk]\r\n";
    big.reserve(51u * 1024 * 1024);
    const std::string line = "k=" + std::string(98, 'j') + "\r\n";
    while (big.size() < 50u * 1024 * 1024) big += line;
    ini.Write(big + "[Padwright Standard]\r\nWait=30\r\n");
    const auto start = std::chrono::steady_clock::now();
    SettingsFile file(ini.profile, ini.path);
    EXPECT_EQ(file.Wait(), 30);
    EXPECT_EQ(ini.profile.put("Padwright Standard", "Wait", "31", ini.path), 1);
    EXPECT_EQ(file.Wait(), 31);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace pwstd
