#include <filesystem>
#include <memory>

#include "tests/contract/profile_contract.h"
#include "tests/support/temp_ini.h"

namespace pwstd::testing {
namespace {

class PortableWorld final : public ProfileWorld {
public:
    Profile& profile() override { return ini_.profile; }
    std::string NewFile(const std::string& name) override { return ini_.Folder() + "/" + name; }
    std::string Bytes(const std::string& path) override {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    void SetBytes(const std::string& path, const std::string& bytes) override {
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    }
    void MakeReadOnly(const std::string& path) override {
        std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    }
    std::string Ansi(const std::string& utf8) override { return utf8; }

private:
    TempIni ini_;
};

std::unique_ptr<ProfileWorld> MakePortableWorld() { return std::make_unique<PortableWorld>(); }

INSTANTIATE_TEST_SUITE_P(Portable, ProfileContract, ::testing::Values(&MakePortableWorld));

}  // namespace
}  // namespace pwstd::testing
