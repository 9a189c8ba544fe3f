#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <stdexcept>

#include "tests/win32/support/shared_block.h"
#include "tests/win32/support/win_test_support.h"

namespace pwstd::wintest {
namespace {

template <class T>
std::atomic_ref<T> At(T& field) {
    return std::atomic_ref<T>(field);
}

}  // namespace

void* CreateBlock(const std::wstring& name, size_t size, void** view) {
    HANDLE mapping = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                        static_cast<DWORD>(size), name.c_str());
    if (!mapping) throw std::runtime_error("cannot create the shared block " + Narrow(name));
    *view = MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0);
    if (!*view) throw std::runtime_error("cannot map the shared block " + Narrow(name));
    return mapping;
}

std::wstring UniqueName(const wchar_t* kind) {
    static std::atomic<int> counter{0};
    return std::wstring(L"Local\\PwStdTest.") + kind + L"." +
           std::to_wstring(GetCurrentProcessId()) + L"." + std::to_wstring(counter.fetch_add(1));
}

standin::JoyStep Held(uint32_t calls, uint32_t buttons, uint32_t x, uint32_t y) {
    return {calls, 0, x, y, buttons, 0};
}
standin::JoyStep Idle(uint32_t calls) { return {calls, 0, 32768, 32768, 0, 0}; }
standin::JoyStep Unplugged(uint32_t calls) { return {calls, standin::kUnplugged, 0, 0, 0, 0}; }

StandinWinmm::StandinWinmm() : name_(UniqueName(L"winmm")) {
    void* view = nullptr;
    mapping_ = CreateBlock(name_, sizeof(standin::Block), &view);
    block_ = static_cast<standin::Block*>(view);
    pad_caps(0, 2, JOYCAPS_HASPOV);
    At(block_->magic).store(standin::kMagic, std::memory_order_release);
}

StandinWinmm::~StandinWinmm() {
    UnmapViewOfFile(block_);
    CloseHandle(mapping_);
}

Env StandinWinmm::env() const { return {{standin::kEnvName, name_}}; }

void StandinWinmm::script(const std::vector<standin::JoyStep>& steps) {
    if (steps.size() > standin::kMaxSteps) throw std::runtime_error("joystick script too long");
    At(block_->seq).fetch_add(1, std::memory_order_acq_rel);  // odd: being written
    for (size_t i = 0; i < steps.size(); ++i) {
        standin::JoyStep& s = block_->steps[i];
        At(s.calls).store(steps[i].calls, std::memory_order_relaxed);
        At(s.result).store(steps[i].result, std::memory_order_relaxed);
        At(s.x).store(steps[i].x, std::memory_order_relaxed);
        At(s.y).store(steps[i].y, std::memory_order_relaxed);
        At(s.buttons).store(steps[i].buttons, std::memory_order_relaxed);
        At(s.flaky).store(steps[i].flaky, std::memory_order_relaxed);
        At(s.pov).store(steps[i].pov, std::memory_order_relaxed);
        At(s.z).store(steps[i].z, std::memory_order_relaxed);
        At(s.r).store(steps[i].r, std::memory_order_relaxed);
        At(s.u).store(steps[i].u, std::memory_order_relaxed);
        At(s.v).store(steps[i].v, std::memory_order_relaxed);
    }
    for (int i = 0; i < standin::kMaxSteps; ++i) {
        At(block_->step_read_qpc[i]).store(0, std::memory_order_relaxed);
        At(block_->step_read_tick_qpc[i]).store(0, std::memory_order_relaxed);
    }
    At(block_->step_count).store(static_cast<uint32_t>(steps.size()), std::memory_order_relaxed);
    At(block_->script_base).store(At(block_->joy_calls).load(), std::memory_order_relaxed);
    At(block_->seq).fetch_add(1, std::memory_order_release);
}

void StandinWinmm::fail_timer(bool fails) { At(block_->timer_fails).store(fails ? 1u : 0u); }

void StandinWinmm::answer_at(uint32_t id) { At(block_->joy_id).store(id); }

void StandinWinmm::expect_calls(uint32_t flags, bool any_id) {
    At(block_->joy_flags).store(flags);
    At(block_->joy_any_id).store(any_id ? 1u : 0u);
}

void StandinWinmm::pad_caps(uint32_t result, uint32_t axes, uint32_t caps) {
    At(block_->caps_result).store(result);
    At(block_->caps_axes).store(axes);
    At(block_->caps_flags).store(caps);
}

uint32_t StandinWinmm::caps_calls() const { return At(block_->caps_calls).load(); }
uint32_t StandinWinmm::joy_fine() const { return At(block_->joy_fine).load(); }
uint32_t StandinWinmm::joy_calls() const { return At(block_->joy_calls).load(); }
uint32_t StandinWinmm::joy_bad() const { return At(block_->joy_bad).load(); }
void StandinWinmm::set_caps(uint32_t axes, uint32_t caps) { pad_caps(0, axes, caps); }

void StandinWinmm::set_xinput(int user, uint32_t buttons, uint8_t left, uint8_t right, int16_t lx,
                              int16_t ly, int16_t rx, int16_t ry) {
    At(block_->xinput_user).store(0);  // none while the state is written
    At(block_->xinput_buttons).store(buttons);
    At(block_->xinput_triggers).store(left | static_cast<uint32_t>(right) << 8);
    At(block_->xinput_lx).store(lx);
    At(block_->xinput_ly).store(ly);
    At(block_->xinput_rx).store(rx);
    At(block_->xinput_ry).store(ry);
    At(block_->xinput_user).store(user < 0 ? 0u : static_cast<uint32_t>(user) + 1);
}

uint32_t StandinWinmm::xinput_calls() const { return At(block_->xinput_calls).load(); }

uint32_t StandinWinmm::joy_ids() const { return At(block_->joy_ids).load(); }
uint32_t StandinWinmm::joy_thread() const { return At(block_->joy_thread).load(); }
uint32_t StandinWinmm::ticks() const { return At(block_->ticks).load(); }
uint32_t StandinWinmm::overlaps() const { return At(block_->overlaps).load(); }
uint32_t StandinWinmm::tick_thread() const { return At(block_->tick_thread).load(); }
int64_t StandinWinmm::first_tick_qpc() const { return At(block_->first_tick_qpc).load(); }
int64_t StandinWinmm::last_tick_qpc() const { return At(block_->last_tick_qpc).load(); }
int64_t StandinWinmm::step_read_qpc(int step) const {
    return At(block_->step_read_qpc[step]).load();
}
int64_t StandinWinmm::step_read_tick_qpc(int step) const {
    return At(block_->step_read_tick_qpc[step]).load();
}

std::vector<standin::CallRecord> StandinWinmm::calls() const {
    std::vector<standin::CallRecord> records;
    const uint32_t count = std::min<uint32_t>(At(block_->call_count).load(), standin::kMaxCalls);
    for (uint32_t i = 0; i < count; ++i) {
        standin::CallRecord& record = block_->calls[i];
        if (At(record.call).load(std::memory_order_acquire) == 0) break;  // still being written
        records.push_back(record);
    }
    return records;
}

std::vector<standin::CallRecord> StandinWinmm::calls(standin::Call kind) const {
    std::vector<standin::CallRecord> records;
    for (const standin::CallRecord& record : calls()) {
        if (record.call == static_cast<uint32_t>(kind)) records.push_back(record);
    }
    return records;
}

}  // namespace pwstd::wintest
