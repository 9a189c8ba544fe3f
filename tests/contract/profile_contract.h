#pragma once
// What every profile service of the program must do, whichever implements it: the portable one on
// any system and the Windows one under Windows or Wine run this same suite.
//
// Instantiate with a factory:
//   INSTANTIATE_TEST_SUITE_P(Portable, ProfileContract, ::testing::Values(&MakeMyProfileWorld));
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/ports.h"

namespace pwstd::testing {

// A profile service and a fresh folder for one test.
class ProfileWorld {
public:
    virtual ~ProfileWorld() = default;
    virtual Profile& profile() = 0;
    // A path in the test's own folder; the file does not exist yet.
    virtual std::string NewFile(const std::string& name) = 0;
    // The file's bytes as stored.
    virtual std::string Bytes(const std::string& path) = 0;
    virtual void SetBytes(const std::string& path, const std::string& bytes) = 0;
    virtual void MakeReadOnly(const std::string& path) = 0;
    // The bytes a UTF-8 text has in the file (the ANSI code page of the system under test).
    virtual std::string Ansi(const std::string& utf8) = 0;
};

using ProfileWorldFactory = std::unique_ptr<ProfileWorld> (*)();

class ProfileContract : public ::testing::TestWithParam<ProfileWorldFactory> {
protected:
    void SetUp() override { world = GetParam()(); }
    std::unique_ptr<ProfileWorld> world;
};

}  // namespace pwstd::testing
