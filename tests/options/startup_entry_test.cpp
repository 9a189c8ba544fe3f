// What the start-with-Windows box shows for the values the registry holds, and what checking and
// unchecking it writes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/options/fake_startup.h"

namespace pwstd {
namespace {

using Bytes = std::vector<uint8_t>;

struct StartupCase {
    const char* what;
    std::optional<std::string> run;
    std::optional<Bytes> approved;
    bool shows;                           // the box as it opens
    std::vector<std::string> when_toggled;  // the box changed once and OK pressed
    std::optional<std::string> run_after;
    bool approved_kept;
};

const std::string kQuoted = "\"C:\\Jeux\\Pädwright\\PwStd.exe\"";

TEST(StartWithWindows, TheBoxFollowsTheRunValueAndTaskManagersMark) {
    const StartupCase cases[] = {
        {"absent", std::nullopt, std::nullopt, false, {"run=" + kQuoted}, kQuoted, true},
        {"this path quoted", kQuoted, std::nullopt, true, {"remove run"}, std::nullopt, true},
        {"this path bare, other case", "c:\\JEUX\\Pädwright\\pwstd.EXE", std::nullopt, true, {"remove run"},
         std::nullopt, true},
        {"with blanks around", "  " + kQuoted + " ", std::nullopt, true, {"remove run"}, std::nullopt, true},
        {"enabled by Task Manager", kQuoted, Bytes{2, 0, 0, 0}, true, {"remove run"}, std::nullopt, true},
        {"disabled by Task Manager", kQuoted, Bytes{3, 0, 0, 0, 9, 9}, false,
         {"run=" + kQuoted, "remove approved"}, kQuoted, false},
        {"another copy's path", "\"D:\\Old\\PwStd.exe\"", std::nullopt, false, {"run=" + kQuoted}, kQuoted, true},
        {"this path with arguments", kQuoted + " /x", std::nullopt, false, {"run=" + kQuoted}, kQuoted, true},
        {"only a quote", "\"", std::nullopt, false, {"run=" + kQuoted}, kQuoted, true},
        {"empty", "", Bytes{}, false, {"run=" + kQuoted}, kQuoted, true},
    };
    for (const StartupCase& c : cases) {
        SCOPED_TRACE(c.what);
        FakeStartup startup;
        startup.values = {c.run, c.approved};
        const bool shows = StartsWithWindows(startup);
        EXPECT_EQ(shows, c.shows);
        SetStartWithWindows(startup, !shows);
        EXPECT_EQ(startup.log, c.when_toggled);
        EXPECT_EQ(startup.values.run, c.run_after);
        EXPECT_EQ(startup.values.approved.has_value(), c.approved_kept && c.approved.has_value());
    }
}

}  // namespace
}  // namespace pwstd
