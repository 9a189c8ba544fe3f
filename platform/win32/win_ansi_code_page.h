#pragma once
// The system's ANSI code page, asked character by character whether it holds one.
#include "engine/ports.h"

namespace pwstd {

class WinAnsiCodePage final : public AnsiCodePage {
public:
    bool holds(std::string_view character) const override;
};

}  // namespace pwstd
