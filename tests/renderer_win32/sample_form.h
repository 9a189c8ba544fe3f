#pragma once
// A form with one control of every kind, in frames and outside, whose handlers log what reaches
// them. Form_Load changes some controls so the window must show the loaded state, not the
// declaration.
#include <string>
#include <vector>

#include "forms/form.h"

namespace pwstd::test {

constexpr int32_t kIconResource = 1;  // the test program's icon (renderer_test.rc)
constexpr uint32_t kYellow = forms::Rgb(255, 255, 0);

class SampleForm final : public forms::Form {
public:
    std::vector<std::string> log;

    const forms::FormSpec& Layout() const override {
        static const forms::FormSpec desc{.Caption = "見本フォーム", .ClientWidth = 4800, .ClientHeight = 3600};
        return desc;
    }

    std::string Last() const { return log.empty() ? std::string() : log.back(); }

protected:
    std::vector<forms::ControlSpec> Declare() const override {
        using K = forms::ControlKind;
        const forms::Font key_font{.Name = "ＭＳ Ｐゴシック", .Size = 12, .Bold = true};
        return {
            {.Kind = K::Frame, .Name = "Frame1", .Place = {120, 120, 4000, 1500}, .Caption = "ジョイスティック設定"},
            {.Kind = K::HScrollBar, .Name = "HScroll1", .Container = "Frame1", .Place = {240, 480, 3500, 255},
             .Min = 1, .Max = 30, .SmallChange = 1, .LargeChange = 10, .Value = 4, .TabIndex = 0},
            {.Kind = K::OptionButton, .Name = "Option1", .Index = 0, .Container = "Frame1",
             .Place = {240, 840, 1700, 255}, .Caption = "カスタム", .Value = 1, .TabIndex = 4},
            {.Kind = K::OptionButton, .Name = "Option1", .Index = 1, .Container = "Frame1",
             .Place = {2040, 840, 1700, 255}, .Caption = "前回終了時", .TabIndex = 5},
            {.Kind = K::Label, .Name = "Label1", .Place = {120, 1700, 3000, 255}, .Caption = "ボタン数－ 4"},
            {.Kind = K::CheckBox, .Name = "Check1", .Place = {120, 2000, 3000, 255}, .Caption = "キーリピート機能",
             .Value = 1, .TabIndex = 1},
            // A key box that is not read-only: typed characters must still not show.
            {.Kind = K::TextBox, .Name = "Text1", .Place = {120, 2300, 2000, 375}, .TabIndex = 2,
             .TextFont = key_font},
            {.Kind = K::TextBox, .Name = "Text2", .Place = {2280, 2300, 2000, 375}, .TabIndex = 3, .MaxLength = 10},
            {.Kind = K::TextBox, .Name = "Text3", .Place = {120, 3420, 4560, 150}, .TabIndex = 8, .Locked = true},
            {.Kind = K::CommandButton, .Name = "Command2", .Index = 0, .Place = {1680, 2880, 1455, 495},
             .Caption = "ＯＫ", .TabIndex = 6, .Default = true},
            {.Kind = K::CommandButton, .Name = "Command2", .Index = 1, .Place = {3240, 2880, 1455, 495},
             .Caption = "ｷｬﾝｾﾙ", .TabIndex = 7, .Cancel = true},
            {.Kind = K::Timer, .Name = "Timer1", .Interval = 30},
            {.Kind = K::Image, .Name = "Image1", .Place = {4260, 240, 480, 480}, .Picture = kIconResource},
        };
    }

    void Connect() override {
        auto& scroll = Find("HScroll1");
        scroll.Change = [this, &scroll] { log.push_back("HScroll1_Change " + std::to_string(scroll.Value())); };
        scroll.Scroll = [this, &scroll] { log.push_back("HScroll1_Scroll " + std::to_string(scroll.Value())); };
        Find("Check1").Click = [this] { log.push_back("Check1_Click"); };
        for (int i = 0; i < 2; ++i) {
            Find("Option1", i).Click = [this, i] { log.push_back("Option1_Click " + std::to_string(i)); };
            Find("Command2", i).Click = [this, i] {
                log.push_back("Command2_Click " + std::to_string(i));
                Unload();
            };
        }
        auto& key_box = Find("Text1");
        key_box.KeyDown = [this, &key_box](int16_t KeyCode, int16_t Shift) {
            log.push_back("Text1_KeyDown " + std::to_string(KeyCode) + "/" + std::to_string(Shift));
            key_box.SetCaption(std::to_string(KeyCode));
        };
        key_box.GotFocus = [&key_box] { key_box.SetBackColor(kYellow); };
        key_box.LostFocus = [&key_box] { key_box.SetBackColor(forms::kColorWindow); };
        Find("Timer1").Timer = [this] { ++ticks; };
    }

    void Form_Load() override {
        Find("HScroll1").SetValue(6);
        Find("Text1").SetCaption("３８");
        log.clear();
    }

    void Form_QueryUnload(int16_t& Cancel, int16_t UnloadMode) override {
        (void)Cancel;
        log.push_back("Form_QueryUnload " + std::to_string(UnloadMode));
    }

    void Form_MouseDown(int16_t Button, int16_t Shift, float X, float Y) override {
        log.push_back("Form_MouseDown " + std::to_string(Button) + "/" + std::to_string(Shift) + "/" +
                      std::to_string(static_cast<int>(X)) + "/" + std::to_string(static_cast<int>(Y)));
    }

public:
    int ticks = 0;
};

}  // namespace pwstd::test
