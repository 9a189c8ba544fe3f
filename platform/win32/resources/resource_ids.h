#pragma once
// Resource numbers shared by the resource script and the code. The program's own icon is number 1:
// the dialogs' title bars and the about window's image ask for it by that number.
#define IDI_PWSTD 1
#define IDI_PAUSED 10
#define IDI_RUN1 11
#define IDI_RUN2 12
#define IDI_RUN3 13
#define IDI_RUN4 14
