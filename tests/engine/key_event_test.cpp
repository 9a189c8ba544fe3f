#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/output/held_outputs.h"
#include "engine/output/key_event.h"
#include "tests/support/fakes.h"

namespace pwstd {
namespace {

TEST(KeyEventFor, ScanCodesAndTheExtendedFlagOnlyWithTheOption) {
    struct Row {
        uint8_t vk;
        const char* name;
        bool extended;
    };
    const std::vector<Row> rows = {
        {0x25, "left", true},         {0x26, "up", true},           {0x27, "right", true},
        {0x28, "down", true},         {0x2D, "Insert", true},       {0x2E, "Delete", true},
        {0x24, "Home", true},         {0x23, "End", true},          {0x21, "Page Up", true},
        {0x22, "Page Down", true},    {0xA3, "right Ctrl", true},   {0xA5, "right Alt", true},
        {0x90, "Num Lock", true},     {0x6F, "pad divide", true},   {0x5B, "left Windows", true},
        {0x5C, "right Windows", true}, {0x5D, "application", true},
        {0xA2, "left Ctrl", false},   {0xA4, "left Alt", false},    {0x11, "Ctrl", false},
        {0x12, "Alt", false},         {0x10, "Shift", false},       {0x0D, "Enter", false},
        {0x64, "pad 4", false},       {0x6A, "pad multiply", false}, {0x6E, "pad decimal", false},
        {0x2C, "Print Screen", false}, {0x13, "Pause", false},      {0x20, "space", false},
        {0x41, "A", false},           {0x70, "F1", false},          {0x01, "left mouse button", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IsExtendedKey(row.vk), row.extended);
        for (const bool up : {false, true}) {
            const KeyEventShape off = KeyEventFor(row.vk, up, false, 0xE01Du);
            EXPECT_EQ(off.scan, 0u);
            EXPECT_EQ(off.flags, up ? kKeyEventKeyUp : 0u) << "no extended flag without the option";
            const KeyEventShape on = KeyEventFor(row.vk, up, true, 0x2Au);  // a layout without E0
            EXPECT_EQ(on.scan, 0x2Au);
            EXPECT_EQ(on.flags, (up ? kKeyEventKeyUp : 0u) | (row.extended ? kKeyEventExtendedKey : 0u));
        }
    }
    int extended = 0;
    for (int vk = 0; vk < 256; ++vk) extended += IsExtendedKey(static_cast<uint8_t>(vk)) ? 1 : 0;
    EXPECT_EQ(extended, 17) << "no key beyond the seventeen above";
}

// The scan code the layout gives, with its prefix: E0 makes the key extended, as the list does;
// a code one event cannot carry goes out as 0.
TEST(KeyEventFor, TheLayoutsScanCodeAndItsPrefix) {
    struct Row {
        uint8_t vk;
        const char* name;
        uint32_t vsc_ex;
        uint8_t scan;
        bool extended;
    };
    const std::vector<Row> rows = {
        {0xAF, "Volume Up", 0xE030, 0x30, true},     // not "B"
        {0x2C, "Print Screen", 0xE037, 0x37, true},  {0x03, "Break", 0xE046, 0x46, true},
        {0x26, "up, with E0", 0xE048, 0x48, true},   {0x26, "up, without", 0x48, 0x48, true},
        {0x6E, "pad decimal", 0x53, 0x53, false},    {0x41, "A", 0x1E, 0x1E, false},
        {0x13, "Pause", 0xE11D, 0, false},           {0x25, "left, no code", 0, 0, true},
        {0x41, "unknown prefix", 0x121E, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (const bool up : {false, true}) {
            const KeyEventShape shape = KeyEventFor(row.vk, up, true, row.vsc_ex);
            EXPECT_EQ(shape.scan, row.scan);
            EXPECT_EQ(shape.flags, (up ? kKeyEventKeyUp : 0u) | (row.extended ? kKeyEventExtendedKey : 0u));
        }
    }
}

// The layout changes (Win+Space) while a control is held: its release still carries the scan code
// and flags its press went out with, or a game reading scan codes keeps the first key down; each
// part of a combination goes out with its own, and comes up in reverse order.
TEST(HeldOutputs, AReleaseGoesOutExactlyAsItsPressWent) {
    testing::RecordingKeySink sink;
    HeldOutputs held(sink, true, true);
    const uint8_t up_b[] = {0x26, 0x42};
    sink.scan_codes = [](uint8_t vk) { return vk == 0x26 ? 0xE048u : 0x1Eu; };
    {
        HeldOutputs::Batch keys(held);
        keys.Press(0, Action::Key(0x41));
        keys.Press(1, Action::Combination(up_b, 2));
        sink.scan_codes = [](uint8_t) { return 0x30u; };
        keys.ReleaseAll();
    }
    using Shape = std::pair<uint8_t, uint32_t>;
    EXPECT_EQ(sink.shapes, (std::vector<Shape>{{0x1E, 0}, {0x48, kKeyEventExtendedKey}, {0x1E, 0},
                                               {0x1E, kKeyEventKeyUp}, {0x1E, kKeyEventKeyUp},
                                               {0x48, kKeyEventKeyUp | kKeyEventExtendedKey}}));
    EXPECT_EQ(sink.Take(), "press 65, press 38, press 66, release 65, release 66, release 38");
    EXPECT_EQ(sink.batches, 1) << "one batch: the layout is looked up once";
    held.ReleaseAll();
    EXPECT_EQ(sink.Take(), "") << "released once";
}

}  // namespace
}  // namespace pwstd
