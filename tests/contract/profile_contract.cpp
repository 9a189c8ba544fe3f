#include "tests/contract/profile_contract.h"

#include "engine/settings.h"

namespace pwstd::testing {
namespace {

TEST_P(ProfileContract, MissingFileSectionOrKeyGivesTheDefault) {
    Profile& p = world->profile();
    const std::string file = world->NewFile("PwStd.ini");
    EXPECT_EQ(p.get("Padwright Standard", "Wait", "25", file), "25");
    world->SetBytes(file, "[Other]\r\nWait=7\r\n");
    EXPECT_EQ(p.get("Padwright Standard", "Wait", "25", file), "25");
    world->SetBytes(file, "[Padwright Standard]\r\nKando=4000\r\n");
    EXPECT_EQ(p.get("Padwright Standard", "Wait", "25", file), "25");
}

TEST_P(ProfileContract, NamesCompareWithoutCaseAndValuesAreTrimmed) {
    Profile& p = world->profile();
    const std::string file = world->NewFile("PwStd.ini");
    world->SetBytes(file, "[padwright STANDARD]\r\n  wait  =   50  \r\nEmpty=\r\n");
    EXPECT_EQ(p.get("Padwright Standard", "Wait", "25", file), "50");
    EXPECT_EQ(p.get("PADWRIGHT standard", "WAIT", "25", file), "50");
    EXPECT_EQ(p.get("Padwright Standard", "Empty", "25", file), "") << "present but empty is not missing";
}

TEST_P(ProfileContract, FirstWriteCreatesFileAndSectionThenReplacesInPlace) {
    Profile& p = world->profile();
    const std::string file = world->NewFile("PwStd.ini");
    EXPECT_NE(p.put("Padwright Standard", "Kando", "4000", file), 0);
    EXPECT_NE(p.put("Padwright Standard", "Wait", "25", file), 0);
    EXPECT_NE(p.put("KeySettei", "Cursor1", "38", file), 0);
    EXPECT_NE(p.put("padwright standard", "KANDO", "FF", file), 0);
    EXPECT_EQ(p.get("Padwright Standard", "Kando", "", file), "FF");
    EXPECT_EQ(p.get("Padwright Standard", "Wait", "", file), "25");
    EXPECT_EQ(p.get("KeySettei", "Cursor1", "", file), "38");
    const std::string bytes = world->Bytes(file);
    EXPECT_LT(bytes.find("Kando=FF"), bytes.find("Wait=25")) << "replaced where it stood:\n" << bytes;
    EXPECT_LT(bytes.find("Wait=25"), bytes.find("[KeySettei]"));
    EXPECT_EQ(bytes.find("4000"), std::string::npos);
}

TEST_P(ProfileContract, AnEmptyValueIsWrittenAndReadAsEmpty) {
    Profile& p = world->profile();
    const std::string file = world->NewFile("PwStd.ini");
    EXPECT_NE(p.put("Padwright Standard", "Wait", "", file), 0);
    EXPECT_EQ(p.get("Padwright Standard", "Wait", "25", file), "");
    EXPECT_NE(p.put("Padwright Standard", "Wait", "30", file), 0);
    EXPECT_EQ(p.get("Padwright Standard", "Wait", "25", file), "30");
}

TEST_P(ProfileContract, LongValuesComeBackCutTo254Bytes) {
    Profile& p = world->profile();
    const std::string file = world->NewFile("PwStd.ini");
    const std::string value(300, 'n');
    p.put("KeySetteiTemp1", "TempName", value, file);
    EXPECT_EQ(p.get("KeySetteiTemp1", "TempName", "", file), std::string(254, 'n'));
}

TEST_P(ProfileContract, JapaneseNamesRoundTripInTheAnsiCodePage) {
    Profile& p = world->profile();
    const std::string file = world->NewFile("PwStd.ini");
    p.put("KeySetteiTemp1", "TempName", "テンプレート１", file);
    p.put("KeySetteiTemp2", "TempName", "格闘ゲーム用", file);
    EXPECT_EQ(p.get("KeySetteiTemp1", "TempName", "", file), "テンプレート１");
    EXPECT_EQ(p.get("KeySetteiTemp2", "TempName", "", file), "格闘ゲーム用");
    EXPECT_NE(world->Bytes(file).find(world->Ansi("テンプレート１")), std::string::npos);
    EXPECT_EQ(p.get("KeySetteiTemp3", "TempName", "テンプレート３", file), "テンプレート３");
}

TEST_P(ProfileContract, AReadOnlyFileLosesTheWriteSilently) {
    Profile& p = world->profile();
    const std::string file = world->NewFile("PwStd.ini");
    p.put("Padwright Standard", "Wait", "25", file);
    world->MakeReadOnly(file);
    EXPECT_EQ(WriteIni(p, "Padwright Standard", "Wait", "50", file), 0);
    EXPECT_EQ(p.get("Padwright Standard", "Wait", "", file), "25");
    EXPECT_EQ(WriteIni(p, "KeySettei", "Cursor1", "38", file), 0);
    EXPECT_EQ(p.get("KeySettei", "Cursor1", "none", file), "none");
}

TEST_P(ProfileContract, OtherLinesSurviveAWrite) {
    Profile& p = world->profile();
    const std::string file = world->NewFile("PwStd.ini");
    world->SetBytes(file, "[Mine]\r\nColour=blue\r\n[Padwright Standard]\r\nWait=25\r\nExtra=1\r\n");
    p.put("Padwright Standard", "Wait", "40", file);
    EXPECT_EQ(p.get("Mine", "Colour", "", file), "blue");
    EXPECT_EQ(p.get("Padwright Standard", "Extra", "", file), "1");
    EXPECT_EQ(p.get("Padwright Standard", "Wait", "", file), "40");
}

TEST_P(ProfileContract, RemoveDeletesOneKeyAndLeavesEverythingElse) {
    Profile& p = world->profile();
    const std::string file = world->NewFile("PwStd.ini");
    const std::string before = "[KeySettei]\r\nButton1=83\r\nbutton1keys=17+83\r\nButton2=32\r\n[Mine]\r\nButton1Keys=x\r\n";
    world->SetBytes(file, before);
    EXPECT_NE(p.remove("KeySettei", "Button1Keys", file), 0);
    EXPECT_EQ(world->Bytes(file), "[KeySettei]\r\nButton1=83\r\nButton2=32\r\n[Mine]\r\nButton1Keys=x\r\n");
    EXPECT_EQ(p.get("KeySettei", "Button1Keys", "none", file), "none");
    p.remove("KeySettei", "Button3Keys", file);
    EXPECT_EQ(p.get("KeySettei", "Button2", "", file), "32") << "a missing key changes nothing";
    EXPECT_EQ(p.get("Mine", "Button1Keys", "", file), "x");
}

}  // namespace
}  // namespace pwstd::testing
