// The template frame of the key settings dialog: choosing a slot, saving the working copy with its
// name into the slot, and loading a slot into the working copy.
#include "dialogs/keys/keys.h"

namespace pwstd {

namespace {
constexpr int16_t kSave = 0;
}  // namespace

// A name typed and not saved is lost when another slot is chosen.
void KeyS::HScroll2_Scroll() {
    const int32_t n = Find("HScroll2").Value();
    Find("Text3").SetCaption(state_.TemplateNames[n]);
    Find("Label3").SetCaption(SlotCaption(n));
}

void KeyS::HScroll2_Change() { HScroll2_Scroll(); }

void KeyS::Command3_Click(int16_t Index) {
    if (Index == kSave) {
        SaveTemplate();
    } else {
        LoadTemplate();
    }
}

// The saved codes go in force at once, but the tray menu's check mark stays where it is, and the
// custom key map and the start-up keys are left alone. The name is stored exactly as typed, even
// empty. Nothing of this is undone by Cancel.
void KeyS::SaveTemplate() {
    const int32_t n = Find("HScroll2").Value();
    const std::string name = Find("Text3").Caption();
    settings_.Write(SlotSection(n), "TempName", name);
    WriteSlot(n);
    state_.TemplateNames[n] = name;
    if (forms::MenuItem* item = menu_.Find("mnuTemp", n)) item->SetCaption(state_.TemplateNames[n]);
}

// Only the buttons now in use are read, whatever the slot holds; a slot never saved gives the
// arrow keys and the space bar. The name box already shows the slot's name. The rows are refreshed
// where the window stands; the loaded codes go in force only through OK.
void KeyS::LoadTemplate() {
    ReadSlot(Find("HScroll2").Value());
    HScroll1_Change();
}

}  // namespace pwstd
