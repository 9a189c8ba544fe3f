#include <windows.h>

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

KeyRecorder::KeyRecorder() : name_(UniqueName(L"keys")) {
    void* view = nullptr;
    mapping_ = CreateBlock(name_, sizeof(keylog::Block), &view);
    block_ = static_cast<keylog::Block*>(view);
    At(block_->magic).store(keylog::kMagic, std::memory_order_release);
    process_ = Process::Start(KeyRecorderPath(), {name_, std::to_wstring(GetCurrentProcessId())});
    if (!WaitFor([this] { return At(block_->ready).load(std::memory_order_acquire) != 0; }, 10s)) {
        uint32_t code = 0;
        const bool ended = process_.wait(0ms, &code);
        throw std::runtime_error("the key recorder did not install its hook" +
                                 (ended ? " (exit code " + std::to_string(code) + ")" : ""));
    }
}

KeyRecorder::~KeyRecorder() {
    if (process_.post_quit()) process_.wait(5s);
    process_.kill();
    UnmapViewOfFile(block_);
    CloseHandle(mapping_);
}

size_t KeyRecorder::count() const { return At(block_->count).load(std::memory_order_acquire); }

std::vector<KeyEvent> KeyRecorder::keys(size_t from) const {
    std::vector<KeyEvent> events;
    const size_t end = std::min<size_t>(count(), keylog::kMaxKeys);
    for (size_t i = from; i < end; ++i) {
        const keylog::KeyRecord& record = block_->keys[i];
        if (record.message >= WM_MOUSEFIRST && record.message <= WM_MOUSELAST) continue;
        events.push_back({record.vk, (record.flags & LLKHF_UP) != 0,
                          (record.flags & LLKHF_INJECTED) != 0,
                          (record.flags & LLKHF_EXTENDED) != 0, record.qpc, record.scan});
    }
    return events;
}

std::vector<MouseEvent> KeyRecorder::mice(size_t from) const {
    std::vector<MouseEvent> events;
    const size_t end = std::min<size_t>(count(), keylog::kMaxKeys);
    for (size_t i = from; i < end; ++i) {
        const keylog::KeyRecord& record = block_->keys[i];
        if (record.message < WM_MOUSEFIRST || record.message > WM_MOUSELAST) continue;
        events.push_back({record.message, record.x, record.y, record.data, (record.flags & LLMHF_INJECTED) != 0});
    }
    return events;
}

bool KeyRecorder::wait_count(size_t n, std::chrono::milliseconds timeout) const {
    return WaitFor([&] { return count() >= n; }, timeout);
}

std::string KeyText(const std::vector<KeyEvent>& keys) {
    std::string text;
    for (const KeyEvent& key : keys) {
        if (!text.empty()) text += ' ';
        text += (key.up ? '-' : '+') + std::to_string(key.vk);
    }
    return text;
}

}  // namespace pwstd::wintest
