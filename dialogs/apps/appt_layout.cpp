// The programs' templates dialog as laid out: its window and its controls with their captions and
// twips rectangles.
#include "dialogs/apps/appt.h"

namespace pwstd {

namespace {
constexpr const char* kDialogFont = "ＭＳ Ｐゴシック";
constexpr int32_t kDialogFontSize = 12;
}  // namespace

const forms::FormSpec& AppT::Layout() const {
    static const forms::FormSpec desc{.Caption = "Padwright Standard プロパティ－アプリ別テンプレート",
                                      .ClientWidth = 7365,
                                      .ClientHeight = 4455,
                                      .Border = forms::BorderStyle::FixedDialog,
                                      .ShowIcon = true,
                                      .TextFont = {.Name = kDialogFont, .Size = kDialogFontSize}};
    return desc;
}

// Esc closes; Enter presses the button with the focus and nothing else, so a program is never
// assigned by a stray Enter in the list.
std::vector<forms::ControlSpec> AppT::Declare() const {
    using K = forms::ControlKind;
    // clang-format off
    return {
        {.Kind = K::ListBox, .Name = "List1", .Place = {120, 120, 7125, 3615}, .TabIndex = 0},
        {.Kind = K::CommandButton, .Name = "Command1", .Index = 0, .Place = {120, 3840, 3735, 495},
         .Caption = "今のテンプレートを割り当てる", .TabIndex = 1, .Enabled = false},
        {.Kind = K::CommandButton, .Name = "Command1", .Index = 1, .Place = {3960, 3840, 2175, 495},
         .Caption = "割り当てを外す", .TabIndex = 2, .Enabled = false},
        {.Kind = K::CommandButton, .Name = "Command1", .Index = 2, .Place = {6240, 3840, 1005, 495},
         .Caption = "閉じる", .TabIndex = 3, .Cancel = true},
    };
    // clang-format on
}

}  // namespace pwstd
