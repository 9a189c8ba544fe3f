// libFuzzer target: the portable profile service on any file. The input's first line is
// "section<TAB>key<TAB>value", the rest is the file. Reading never fails; every setting read from
// the file lies inside its key's range; after a write the key reads back as written, and every other
// key of the file reads as it did before.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ini_lines.h"
#include "engine/ini_profile.h"
#include "engine/bindings/key_map_file.h"
#include "engine/settings.h"

namespace {

using pwstd::ini::SameName;
using pwstd::ini::Trim;

void Check(bool ok) {
    if (!ok) std::abort();
}

// A name or value as the program could write it: one line, no blanks at its ends.
std::string Clean(std::string_view text, std::string_view forbidden) {
    std::string out;
    for (char c : text) {
        if (c != '\r' && c != '\n' && c != '\0' && forbidden.find(c) == std::string_view::npos) out += c;
    }
    return std::string(Trim(out));
}

// Every (section, key) the file seems to hold, at most 32.
std::vector<std::pair<std::string, std::string>> Probes(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> probes;
    std::string section;
    size_t pos = 0;
    while (pos < text.size() && probes.size() < 32) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(pos, end - pos));
        if (!line.empty() && line.front() == '[') {
            section = Clean(line.substr(1, line.find(']') == std::string_view::npos ? line.npos : line.find(']') - 1), "]");
        } else if (const size_t eq = line.find('='); eq != std::string_view::npos && !section.empty()) {
            const std::string key = Clean(line.substr(0, eq), "=");
            if (!key.empty()) probes.emplace_back(section, key);
        }
        pos = end + 1;
    }
    return probes;
}

// The file every run rewrites; removed when the fuzzer ends.
const std::string& Path() {
    static const struct Scratch {
        std::string path = (std::filesystem::temp_directory_path() /
                            ("pwstd-ini-fuzz-" + std::to_string(std::random_device()()) + ".ini"))
                               .string();
        ~Scratch() { std::remove(path.c_str()); }
    } scratch;
    return scratch.path;
}

size_t CodePoints(const std::string& text) {
    size_t n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80;
    return n;
}

// The program's readers on this file: each value inside its key's range. One slot entry and one
// template name per input keep a run short.
void CheckRanges(pwstd::Profile& profile, size_t pick) {
    const pwstd::SettingsFile settings(profile, Path());
    const int32_t kando = settings.Kando();
    Check(kando >= 0 && kando <= 32767);
    const int32_t wait = settings.Wait();
    Check(wait >= 1 && wait <= 200);
    const int32_t buttons = settings.Buttons();
    Check(buttons >= 1 && buttons <= 30);
    Check(settings.Repeat() == 0 || settings.Repeat() == 1);
    Check(settings.Keyup() == 0 || settings.Keyup() == 1);
    Check(settings.StartTemp() >= 0 && settings.StartTemp() <= 2);
    Check(settings.BefTemp() >= 0 && settings.BefTemp() <= 10);
    const int32_t code = ReadKeyCode(settings, static_cast<int>(pick % 11), static_cast<int>(pick % kControlCount));
    Check(code >= 1 && code <= 255);
    Check(CodePoints(settings.TemplateName(static_cast<int>(pick % 10) + 1)) <= 100);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t nl = input.find('\n');
    const std::string_view head = input.substr(0, nl);
    const std::string_view file = nl == std::string_view::npos ? std::string_view() : input.substr(nl + 1);
    const size_t t1 = head.find('\t');
    const size_t t2 = t1 == std::string_view::npos ? t1 : head.find('\t', t1 + 1);
    const std::string section = Clean(head.substr(0, t1), "]");
    const std::string key = t1 == std::string_view::npos ? "" : Clean(head.substr(t1 + 1, t2 - t1 - 1), "=");
    std::string value = t2 == std::string_view::npos ? "" : Clean(head.substr(t2 + 1), "\"'");
    if (value.size() > 254) value = std::string(Trim(value.substr(0, 254)));
    if (section.empty() || key.empty() || key.front() == '[' || key.front() == ';') return 0;

    std::ofstream(Path(), std::ios::binary | std::ios::trunc).write(file.data(), static_cast<std::streamsize>(file.size()));
    pwstd::Utf8Codec codec;
    pwstd::IniFileProfile profile(codec);
    CheckRanges(profile, size);
    const auto probes = Probes(file);
    std::vector<std::string> before;
    for (const auto& [s, k] : probes) before.push_back(profile.get(s, k, "\x01missing", Path()));

    Check(profile.put(section, key, value, Path()) == 1);
    Check(profile.get(section, key, "\x01missing", Path()) == value);
    for (size_t i = 0; i < probes.size(); ++i) {
        const auto& [s, k] = probes[i];
        if (SameName(s, section) && SameName(k, key)) continue;
        Check(profile.get(s, k, "\x01missing", Path()) == before[i]);
    }
    return 0;
}
