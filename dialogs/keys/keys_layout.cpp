// The key settings dialog as laid out: its window, its controls with their captions, ranges and
// twips rectangles (the template controls are placed relative to their frame), and the row and
// slot captions.
#include "dialogs/keys/keys.h"

#include "engine/bindings/mouse_stick.h"

namespace pwstd {

namespace {
constexpr const char* kDialogFont = "ＭＳ Ｐゴシック";
constexpr int32_t kDialogFontSize = 12;
constexpr const char* kDirectionCaptions[4] = {"十字キー－上", "十字キー－下", "十字キー－左",
                                               "十字キー－右"};
constexpr const char* kButtonCaption = "ボタン－";
constexpr const char* kAxisCaptions[kAxisControls] = {
    "Ｚ軸－マイナス", "Ｚ軸－プラス", "Ｒ軸－マイナス", "Ｒ軸－プラス",
    "Ｕ軸－マイナス", "Ｕ軸－プラス", "Ｖ軸－マイナス", "Ｖ軸－プラス"};
}  // namespace

std::string RowCaption(int control) {
    if (control >= kControlAxis1) return kAxisCaptions[control - kControlAxis1];
    if (IsButtonControl(control)) return kButtonCaption + FullWidthNumber(ControlButton(control));
    switch (control) {
        case kControlUp: return kDirectionCaptions[0];
        case kControlDown: return kDirectionCaptions[1];
        case kControlLeft: return kDirectionCaptions[2];
        default: return kDirectionCaptions[3];
    }
}

const MouseChoice kMouseChoices[9] = {
    {1, "左ボタン"},    {2, "右ボタン"},    {4, "中ボタン"},    {5, "Ｘボタン１"},  {6, "Ｘボタン２"},
    {151, "ホイール上"}, {152, "ホイール下"}, {153, "ホイール左"}, {154, "ホイール右"},
};

std::string KeyBoxText(int control, int32_t code, uint32_t with, bool mouse) {
    if (control >= kControlAxis1 && code == 0) return {};
    std::string text;
    for (int i = 0; i < kMaxWith; ++i) {
        const auto part = static_cast<uint8_t>(with >> (8 * i));
        if (part == 0) break;
        text += FullWidthNumber(part) + "＋";
    }
    if (mouse) {
        for (const MouseChoice& choice : kMouseChoices) {
            if (choice.code == code) return text + choice.name;
        }
    }
    return text + FullWidthNumber(code);
}

std::string SlotCaption(int32_t n) { return "No-" + DecimalText(n); }

// With the mouse on, the stick chooser takes a row above the buttons and the window grows by it;
// with the mouse off the dialog is as it always was.
constexpr int32_t kMouseRow = 735;

const forms::FormSpec& KeyS::Layout() const {
    static const forms::FormSpec desc{.Caption = "Padwright Standard プロパティ－キー設定",
                                      .ClientWidth = 5970,
                                      .ClientHeight = 5055,
                                      .Border = forms::BorderStyle::FixedDialog,
                                      .ShowIcon = true,
                                      .TextFont = {.Name = kDialogFont, .Size = kDialogFontSize}};
    static const forms::FormSpec with_mouse = [] {
        forms::FormSpec grown = desc;
        grown.ClientHeight += kMouseRow;
        return grown;
    }();
    return options_.mouse ? with_mouse : desc;
}

// No button is the default or the cancel button: Enter and Esc pressed in a key box are keys to
// capture like any other.
std::vector<forms::ControlSpec> KeyS::Declare() const {
    using K = forms::ControlKind;
    const forms::Font bold{.Name = kDialogFont, .Size = kDialogFontSize, .Bold = true};
    const int32_t buttons_top = 4440 + (options_.mouse ? kMouseRow : 0);
    // clang-format off
    std::vector<forms::ControlSpec> controls = {
        {.Kind = K::HScrollBar, .Name = "HScroll1", .Place = {120, 2160, 5655, 255},
         .Min = 0, .Max = 0, .SmallChange = 1, .LargeChange = 1, .Value = 0, .TabIndex = 0},
        {.Kind = K::Label, .Name = "Label1", .Index = 0, .Place = {240, 240, 2535, 255},
         .TabIndex = 1},
        {.Kind = K::Label, .Name = "Label1", .Index = 1, .Place = {240, 720, 2535, 255},
         .TabIndex = 2},
        {.Kind = K::Label, .Name = "Label1", .Index = 2, .Place = {240, 1200, 2535, 255},
         .TabIndex = 3},
        {.Kind = K::Label, .Name = "Label1", .Index = 3, .Place = {240, 1680, 2535, 255},
         .TabIndex = 4},
        {.Kind = K::TextBox, .Name = "Text1", .Index = 0, .Place = {3000, 120, 2775, 375},
         .TabIndex = 5, .TextFont = bold, .Locked = true},
        {.Kind = K::TextBox, .Name = "Text1", .Index = 1, .Place = {3000, 600, 2775, 375},
         .TabIndex = 6, .TextFont = bold, .Locked = true},
        {.Kind = K::TextBox, .Name = "Text1", .Index = 2, .Place = {3000, 1080, 2775, 375},
         .TabIndex = 7, .TextFont = bold, .Locked = true},
        {.Kind = K::TextBox, .Name = "Text1", .Index = 3, .Place = {3000, 1560, 2775, 375},
         .TabIndex = 8, .TextFont = bold, .Locked = true},
        {.Kind = K::CommandButton, .Name = "Command1", .Place = {120, buttons_top, 1575, 495},
         .Caption = "デフォルト", .TabIndex = 9},
        {.Kind = K::CommandButton, .Name = "Command2", .Index = 0, .Place = {2520, buttons_top, 1575, 495},
         .Caption = "ＯＫ", .TabIndex = 10},
        {.Kind = K::CommandButton, .Name = "Command2", .Index = 1, .Place = {4200, buttons_top, 1575, 495},
         .Caption = "キャンセル", .TabIndex = 11},
        {.Kind = K::Label, .Name = "Label2", .Place = {120, 2520, 2775, 375},
         .Caption = "キーナンバー確認用", .TabIndex = 12},
        {.Kind = K::TextBox, .Name = "Text2", .Place = {3000, 2520, 2775, 375},
         .TabIndex = 13, .TextFont = bold, .Locked = true},
        {.Kind = K::Frame, .Name = "Frame1", .Place = {120, 2880, 5775, 1455},
         .Caption = "テンプレート関連", .TabIndex = 14},
        {.Kind = K::HScrollBar, .Name = "HScroll2", .Container = "Frame1",
         .Place = {240, 660, 5415, 255},
         .Min = 1, .Max = kTemplateCount, .SmallChange = 1, .LargeChange = 1, .Value = 1,
         .TabIndex = 15},
        {.Kind = K::TextBox, .Name = "Text3", .Container = "Frame1",
         .Place = {1680, 240, 3975, 360}, .TabIndex = 16, .MaxLength = 200},
        {.Kind = K::Label, .Name = "Label3", .Container = "Frame1",
         .Place = {240, 240, 1215, 255}, .Caption = SlotCaption(1), .TabIndex = 17},
        {.Kind = K::CommandButton, .Name = "Command3", .Index = 0, .Container = "Frame1",
         .Place = {2640, 960, 1335, 375}, .Caption = "保存", .TabIndex = 18},
        {.Kind = K::CommandButton, .Name = "Command3", .Index = 1, .Container = "Frame1",
         .Place = {4200, 960, 1335, 375}, .Caption = "読み込み", .TabIndex = 19},
    };
    // clang-format on
    if (options_.mouse) {
        static constexpr const char* kStickCaptions[kMouseSticks] = {"なし", "Ｘ／Ｙ", "Ｚ／Ｒ", "Ｕ／Ｒ"};
        controls.push_back({.Kind = K::Frame, .Name = "Frame2", .Place = {120, 4380, 5775, 675},
                            .Caption = "マウスカーソルを動かすスティック", .TabIndex = 20});
        for (int i = 0; i < kMouseSticks; ++i) {
            controls.push_back({.Kind = K::OptionButton, .Name = "Option1", .Index = i, .Container = "Frame2",
                                .Place = {240 + 1380 * i, 300, 1260, 300}, .Caption = kStickCaptions[i],
                                .Value = i == 0 ? 1 : 0, .TabIndex = 21 + i});
        }
    }
    return controls;
}

}  // namespace pwstd
