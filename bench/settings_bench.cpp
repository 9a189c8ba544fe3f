// Number decoding of stored values, and the settings read at start-up from a real file: every
// general key, the ten template names and one key map.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>

#include "engine/ini_profile.h"
#include "engine/bindings/key_map_file.h"
#include "engine/settings.h"
#include "engine/shared_state.h"

namespace pwstd {
namespace {

void BM_DecodeNumber(benchmark::State& run, const char* text, bool hex) {
    const std::string value = text;
    for (auto _ : run) benchmark::DoNotOptimize(RoundClamp(LeadingNumber(value, hex), 1, 255));
}
BENCHMARK_CAPTURE(BM_DecodeNumber, decimal, "38", false);
BENCHMARK_CAPTURE(BM_DecodeNumber, blanks_and_half, " 2 5.5 ", false);
BENCHMARK_CAPTURE(BM_DecodeNumber, hexadecimal, "7FFF", true);

// A settings file as the program leaves it after both dialogs and one template were saved.
class StartupFile {
public:
    StartupFile() {
        folder_ = std::filesystem::temp_directory_path() / ("pwstd-bench-" + std::to_string(std::random_device()()));
        std::filesystem::create_directories(folder_);
        path = (folder_ / kIniFileName).string();
        SettingsFile file(profile, path);
        const char* general[][2] = {{"Kando", "4000"}, {"Wait", "25"},      {"Buttons", "30"}, {"Repeat", "1"},
                                    {"Keyup", "1"},    {"StartTemp", "2"}, {"BefTemp", "3"}};
        for (const auto& kv : general) file.Write(kGeneralSection, kv[0], kv[1]);
        for (int n = 1; n <= kTemplateCount; ++n) file.Write(SlotSection(n), "TempName", "格闘ゲーム用" + std::to_string(n));
        for (int control : SlotControls(kMaxButtons, false)) file.Write(SlotSection(3), ControlKey(control), "65");
    }
    ~StartupFile() {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }
    Utf8Codec codec;
    IniFileProfile profile{codec};
    std::string path;

private:
    std::filesystem::path folder_;
};

void BM_ReadSettingsAtStartup(benchmark::State& run) {
    StartupFile ini;
    SettingsFile file(ini.profile, ini.path);
    for (auto _ : run) {
        int64_t sum = file.Kando() + file.Wait() + file.Buttons() + file.Repeat() + file.Keyup() + file.StartTemp() +
                      file.BefTemp();
        for (int n = 1; n <= kTemplateCount; ++n) sum += static_cast<int64_t>(file.TemplateName(n).size());
        for (int control = 0; control < kControlAxis1; ++control) sum += ReadKeyCode(file, 3, control);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_ReadSettingsAtStartup)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace pwstd
