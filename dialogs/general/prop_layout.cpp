// The general settings dialog as laid out: its window, its controls with their captions, ranges,
// states and twips rectangles (a control inside a frame is placed relative to the frame), and the
// texts of the slider labels.
#include "dialogs/general/prop.h"

namespace pwstd {

namespace {
constexpr const char* kButtonsLabel = "ボタン数－";
constexpr const char* kSensitivityLabel = "感度－";
constexpr const char* kIntervalLabel = "ジョイスティック監視間隔－";
}  // namespace

std::string ButtonsCaption(int32_t buttons) {
    return std::string(kButtonsLabel) + " " + DecimalText(buttons);
}

std::string SensitivityCaption(int32_t kando) { return std::string(kSensitivityLabel) + HexText(kando); }

std::string IntervalCaption(int32_t wait) {
    return std::string(kIntervalLabel) + " " + DecimalText(wait) + "ms";
}

const forms::FormSpec& Prop::Layout() const {
    static const forms::FormSpec desc{.Caption = "Padwright Standard プロパティ－一般",
                                      .ClientWidth = 6885,
                                      .ClientHeight = 5970,
                                      .Border = forms::BorderStyle::FixedDialog,
                                      .ShowIcon = true};
    return desc;
}

std::vector<forms::ControlSpec> Prop::Declare() const {
    using K = forms::ControlKind;
    return {
        {.Kind = K::Frame, .Name = "Frame1", .Place = {120, 120, 6615, 2055},
         .Caption = "ジョイスティック設定"},
        {.Kind = K::Label, .Name = "Label1", .Index = 0, .Container = "Frame1",
         .Place = {840, 240, 4815, 375}, .Caption = ButtonsCaption(4)},
        {.Kind = K::HScrollBar, .Name = "HScroll1", .Container = "Frame1",
         .Place = {240, 480, 6135, 255}, .Min = 1, .Max = 30, .SmallChange = 1, .LargeChange = 1,
         .Value = 4, .TabIndex = 0},
        // Laid out with a space, unlike the text the slider's handlers write.
        {.Kind = K::Label, .Name = "Label1", .Index = 1, .Container = "Frame1",
         .Place = {840, 720, 4815, 375}, .Caption = std::string(kSensitivityLabel) + " 4000"},
        {.Kind = K::HScrollBar, .Name = "HScroll2", .Container = "Frame1",
         .Place = {240, 960, 6135, 255}, .Min = 1, .Max = 32767, .SmallChange = 1,
         .LargeChange = 256, .Value = 16384, .TabIndex = 1},
        {.Kind = K::Label, .Name = "Label1", .Index = 2, .Container = "Frame1",
         .Place = {840, 1320, 4815, 375}, .Caption = "ジョイスティックテスト"},
        {.Kind = K::TextBox, .Name = "Text1", .Container = "Frame1",
         .Place = {240, 1560, 6135, 375}, .TabIndex = 2, .Locked = true},
        {.Kind = K::Frame, .Name = "Frame2", .Place = {120, 2280, 6615, 1455},
         .Caption = "動作設定"},
        {.Kind = K::Label, .Name = "Label1", .Index = 3, .Container = "Frame2",
         .Place = {840, 240, 4815, 375}, .Caption = IntervalCaption(25)},
        {.Kind = K::HScrollBar, .Name = "HScroll3", .Container = "Frame2",
         .Place = {240, 480, 6135, 255}, .Min = 1, .Max = 200, .SmallChange = 1, .LargeChange = 10,
         .Value = 25, .TabIndex = 3},
        {.Kind = K::CheckBox, .Name = "Check1", .Container = "Frame2",
         .Place = {240, 840, 6255, 255}, .Caption = "キーリピート機能", .Value = 1, .TabIndex = 7},
        {.Kind = K::CheckBox, .Name = "Check2", .Container = "Frame2",
         .Place = {360, 1080, 5895, 255}, .Caption = "キーリピート時に毎回キーアップを送る",
         .Value = 1, .TabIndex = 8},
        {.Kind = K::Frame, .Name = "Frame3", .Place = {120, 3840, 6615, 1455},
         .Caption = "起動設定"},
        {.Kind = K::OptionButton, .Name = "Option1", .Index = 0, .Container = "Frame3",
         .Place = {240, 360, 6015, 255}, .Caption = "起動時のテンプレートは カスタム にする",
         .Value = 1, .TabIndex = 9},
        {.Kind = K::OptionButton, .Name = "Option1", .Index = 1, .Container = "Frame3",
         .Place = {240, 720, 6015, 255},
         .Caption = "起動時のテンプレートは 1番上のテンプレート にする", .TabIndex = 10},
        {.Kind = K::OptionButton, .Name = "Option1", .Index = 2, .Container = "Frame3",
         .Place = {240, 1080, 6015, 255}, .Caption = "起動時のテンプレートは 前回終了時の物にする",
         .TabIndex = 11},
        {.Kind = K::CommandButton, .Name = "Command1", .Place = {240, 5400, 1455, 495},
         .Caption = "デフォルト", .TabIndex = 4},
        {.Kind = K::CommandButton, .Name = "Command2", .Index = 0, .Place = {3600, 5400, 1455, 495},
         .Caption = "ＯＫ", .TabIndex = 5, .Default = true},
        {.Kind = K::CommandButton, .Name = "Command2", .Index = 1, .Place = {5160, 5400, 1455, 495},
         .Caption = "ｷｬﾝｾﾙ", .TabIndex = 6, .Cancel = true},
        {.Kind = K::Timer, .Name = "Timer1", .Interval = 10},
    };
}

}  // namespace pwstd
