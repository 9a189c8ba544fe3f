#pragma once
// The resident form wired to recording fakes. Every call to the desktop goes into one log, in the
// order it was made, so a test can assert the order across services.
#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "tests/support/fakes.h"
#include "tray/form1.h"

namespace pwstd::test {

using Log = testing::CallLog;

// The model of an ending program: nothing after EndProgram runs.
struct ProgramEnded {};

// A profile with the service's rules that matter here: names compare without regard to case, a
// missing key gives the default, a present one its value as stored.
class MapProfile final : public Profile {
public:
    explicit MapProfile(Log& log) : log_(log) {}
    std::map<std::pair<std::string, std::string>, std::string> values;
    int puts = 0;
    std::string file_seen;

    void Set(const std::string& section, const std::string& key, const std::string& value) {
        values[{Lower(section), Lower(key)}] = value;
    }
    const std::string* Find(const std::string& section, const std::string& key) const {
        auto it = values.find({Lower(section), Lower(key)});
        return it == values.end() ? nullptr : &it->second;
    }
    std::string get(const std::string& section, const std::string& key, const std::string& def,
                    const std::string& file) override {
        log_.push_back("get " + section + "/" + key);
        file_seen = file;
        const std::string* value = Find(section, key);
        return value ? *value : def;
    }
    int32_t put(const std::string& section, const std::string& key, const std::string& value,
                const std::string& file) override {
        log_.push_back("put " + section + "/" + key + "=" + value);
        file_seen = file;
        ++puts;
        Set(section, key, value);
        return 1;
    }
    int32_t remove(const std::string& section, const std::string& key, const std::string& file) override {
        log_.push_back("remove " + section + "/" + key);
        file_seen = file;
        values.erase({Lower(section), Lower(key)});
        return 1;
    }

private:
    static std::string Lower(std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    }
    Log& log_;
};

class FakeShell final : public Shell {
public:
    explicit FakeShell(Log& log) : log_(log) {}
    std::string folder = "C:\\Tools";
    std::set<std::string> files;  // the paths FileExists finds
    uint32_t major_version = 10;
    void BringToForeground() override { log_.push_back("foreground"); }
    void OpenHelp(const std::string& path) override { log_.push_back("help " + path); }
    void OpenDocument(const std::string& path) override { log_.push_back("open " + path); }
    bool FileExists(const std::string& path) override { return files.count(path) > 0; }
    uint32_t SystemMajorVersion() override { return major_version; }
    std::string ExeFolder() override { return folder; }
    [[noreturn]] void EndProgram() override {
        log_.push_back("end");
        throw ProgramEnded{};
    }

private:
    Log& log_;
};

// Loads a dialog, lets the test act while it is open, and closes it, as the modal loop does.
class FakeWindows final : public forms::WindowHost {
public:
    explicit FakeWindows(Log& log) : log_(log) {}
    std::function<void(forms::Form&)> while_modal;
    std::function<void(forms::MenuItem&)> while_popup;
    std::vector<forms::Form*> shown;
    void ShowModal(forms::Form& form) override {
        log_.push_back("modal");
        shown.push_back(&form);
        form.Load();
        if (while_modal) while_modal(form);
        form.Unload();
        log_.push_back("modal closed");
    }
    void ShowPopup(forms::MenuItem& root) override {
        log_.push_back("popup " + root.name());
        if (while_popup) while_popup(root);
    }
    void DoEvents() override { log_.push_back("doevents"); }

private:
    Log& log_;
};

// The tray retry timer; a test runs its ticks by calling Form1::TrayRetry_Timer.
class FakeRetryTimer final : public RetryTimer {
public:
    explicit FakeRetryTimer(Log& log) : log_(log) {}
    void start(int32_t ms) override { log_.push_back("retry start " + std::to_string(ms)); }
    void stop() override { log_.push_back("retry stop"); }

private:
    Log& log_;
};

// The window in front as the test puts it; `in_front` is the handler the form started it with.
class FakeForeground final : public ForegroundWatch {
public:
    std::function<void(const FrontProgram&)> in_front;
    FrontProgram now;
    std::vector<FrontProgram> visible;
    void start(std::function<void(const FrontProgram&)> handler) override { in_front = std::move(handler); }
    void stop() override { in_front = nullptr; }
    FrontProgram front() override { return now; }
    std::vector<FrontProgram> visible_programs() override { return visible; }
};

// An empty dialog that tells the log when it goes away.
class StubDialog final : public forms::Form {
public:
    explicit StubDialog(Log& log) : log_(log) {}
    ~StubDialog() override { log_.push_back("dialog destroyed"); }
    const forms::FormSpec& Layout() const override {
        static const forms::FormSpec desc{};
        return desc;
    }

protected:
    std::vector<forms::ControlSpec> Declare() const override { return {}; }
    void Connect() override {}

private:
    Log& log_;
};

struct TrayRig {
    Log log;
    SharedState state;
    MapProfile profile{log};
    testing::RecordingTrayIcon tray;
    testing::RecordingRateSignal rate;
    testing::RecordingPollTimer timer;
    testing::RecordingSleeper sleeper;
    testing::RecordingKeySink keys;
    testing::FakeClock clock;
    testing::FakePadSource pad;
    FakeShell shell{log};
    FakeWindows windows{log};
    FakeRetryTimer tray_retry{log};
    LiveBindings bindings;
    // Built by the form from the options it reads at start-up, as the program builds it.
    std::unique_ptr<Engine> engine;
    TemplateSignal* template_signal = nullptr;  // where the engine's template button presses go
    PollCycle& Build(const Options& options) {
        engine = std::make_unique<Engine>(state, options, bindings, pad, nullptr, keys, clock, rate);
        if (template_signal) engine->poll.SetTemplateSignal(*template_signal);
        return engine->poll;
    }
    Form1 form{state, profile, bindings, [this](const Options& options) -> PollCycle& { return Build(options); },
               {tray, timer, sleeper, windows, shell, tray_retry}};

    TrayRig() {
        tray.log = timer.log = sleeper.log = keys.log = rate.log = &log;
        timer.next_id = 77;
        clock.now = 5000;
    }

    PollCycle& poll() { return engine->poll; }
    // The key the table in force binds to a control (0 for none), and a change of it in force.
    int32_t Key(int control) const { return bindings.Current()[control].key; }
    // Of the directions up, down, left, right (the order of Cursor1..Cursor4), and of button j.
    int32_t Dir(int d) const {
        static constexpr int kCursors[4] = {kControlUp, kControlDown, kControlLeft, kControlRight};
        return Key(kCursors[d]);
    }
    int32_t Button(int j) const { return Key(ButtonControl(j)); }
    void SetKey(int control, int32_t code) {
        BindingTable table = bindings.Current();
        table[control] = Action::Key(code);
        bindings.Publish(table);
    }

    forms::MenuItem& Item(const std::string& name, int index = -1) { return *form.Menu().Find(name, index); }
    // Indexes of the checked template items.
    std::vector<int> Checked() {
        std::vector<int> checked;
        for (int i = 0; i <= kTemplateCount; ++i)
            if (Item("mnuTemp", i).Checked()) checked.push_back(i);
        return checked;
    }
    Form1::DialogFactory Factory(int& made) {
        return [this, &made] {
            ++made;
            return std::make_unique<StubDialog>(log);
        };
    }
};

}  // namespace pwstd::test
