// The options dialog as laid out: its window, the check boxes on the left, the sliders with their
// labels on the right, OK and Cancel below, in twips (a control inside a frame is placed relative
// to the frame); and the texts of the slider labels.
#include "dialogs/options/opts.h"

#include <iterator>

namespace pwstd {

namespace {

constexpr const char* kNone = "なし";
constexpr const char* kCustom = "カスタム";

struct SliderLayout {
    const char* label;
    const char* unit;  // after the value, none for "なし" and the slot names
    int32_t min, max, small_change, large_change, value;
};

constexpr SliderLayout kSliders[] = {
    {"テンプレート切り替えボタン－ ", "", 0, 30, 1, 5, 0},
    {"シフトボタン－ ", "", 0, 30, 1, 5, 0},
    {"シフト中のテンプレート－ ", "", 0, kTemplateCount, 1, 1, 1},
    {"マウスの速さ－ ", " ピクセル/秒", 50, 5000, 10, 100, 800},
    {"マウスの遊び－ ", "%", 0, 90, 1, 5, 15},
    {"マウスのカーブ－ ", "", 1, 3, 1, 1, 2},
    {"ホイールの速さ－ ", " 目盛り/秒", 1, 50, 1, 5, 10},
};
static_assert(std::size(kSliders) == kSliderCount);

constexpr const char* kBoxCaptions[] = {
    "十字キー（ハット）で方向を送る",
    "ジョイスティック１が無いときは他のパッドを使う",
    "スキャンコードも送る",
    "Xbox 系のパッドを XInput で読む",
    "Z・R・U・V 軸もキーにする",
    "前面のアプリでテンプレートを切り替える",
    "マウス操作を使う",
    "キーの組み合わせを使う",
    "Windows の開始時に起動する",
};
static_assert(std::size(kBoxCaptions) == kBoxCount);

// Rows of the two columns.
constexpr int32_t kBoxTop = 300, kBoxStep = 330, kRowHeight = 255;
constexpr int32_t kSliderTop = 300, kSliderStep = 525;

}  // namespace

std::string OptionCaption(int16_t slider, int32_t value, const std::array<std::string, kTemplateCount + 1>& names) {
    const SliderLayout& layout = kSliders[slider];
    std::string shown;
    if (slider == kSliderShiftTemplate) {
        shown = value == 0 ? kCustom : names[static_cast<size_t>(value)];
    } else if (value == 0 && (slider == kSliderTemplateButton || slider == kSliderShiftButton)) {
        shown = kNone;
    } else {
        shown = DecimalText(value) + layout.unit;
    }
    return layout.label + shown;
}

const forms::FormSpec& Opts::Layout() const {
    static const forms::FormSpec desc{.Caption = "Padwright Standard プロパティ－拡張設定",
                                      .ClientWidth = 10830,
                                      .ClientHeight = 5055,
                                      .Border = forms::BorderStyle::FixedDialog,
                                      .ShowIcon = true};
    return desc;
}

std::vector<forms::ControlSpec> Opts::Declare() const {
    using K = forms::ControlKind;
    std::vector<forms::ControlSpec> controls = {
        {.Kind = K::Frame, .Name = "Frame1", .Place = {120, 120, 5415, 3045}, .Caption = "機能"},
        {.Kind = K::Frame, .Name = "Frame3", .Place = {120, 3285, 5415, 975}, .Caption = "起動"},
        {.Kind = K::Frame, .Name = "Frame2", .Place = {5655, 120, 5055, 4140}, .Caption = "ボタンとマウス"},
    };
    std::array<std::string, kTemplateCount + 1> default_names;
    for (int n = 1; n <= kTemplateCount; ++n) default_names[static_cast<size_t>(n)] = DefaultTemplateName(n);

    int tab = 0;
    for (int16_t i = 0; i < kBoxCount; ++i) {
        const bool start = i == kBoxStartWithWindows;
        controls.push_back({.Kind = K::CheckBox, .Name = "Check1", .Index = i, .Container = start ? "Frame3" : "Frame1",
                            .Place = {240, start ? 360 : kBoxTop + i * kBoxStep, 5055, kRowHeight},
                            .Caption = kBoxCaptions[i], .TabIndex = tab++});
    }
    for (int16_t i = 0; i < kSliderCount; ++i) {
        const SliderLayout& s = kSliders[i];
        const int32_t top = kSliderTop + i * kSliderStep;
        controls.push_back({.Kind = K::Label, .Name = "Label1", .Index = i, .Container = "Frame2",
                            .Place = {240, top, 4575, kRowHeight}, .Caption = OptionCaption(i, s.value, default_names)});
        controls.push_back({.Kind = K::HScrollBar, .Name = "HScroll1", .Index = i, .Container = "Frame2",
                            .Place = {240, top + kRowHeight, 4575, kRowHeight}, .Min = s.min, .Max = s.max,
                            .SmallChange = s.small_change, .LargeChange = s.large_change, .Value = s.value,
                            .TabIndex = tab++});
    }
    controls.push_back({.Kind = K::CommandButton, .Name = "Command1", .Index = 0, .Place = {7680, 4440, 1455, 495},
                        .Caption = "ＯＫ", .TabIndex = tab++, .Default = true});
    controls.push_back({.Kind = K::CommandButton, .Name = "Command1", .Index = 1, .Place = {9240, 4440, 1455, 495},
                        .Caption = "キャンセル", .TabIndex = tab++, .Cancel = true});
    return controls;
}

}  // namespace pwstd
