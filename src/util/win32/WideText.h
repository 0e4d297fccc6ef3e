// Texts of the program (its code page, CP_ACP) as the wide texts of the
// system's W functions and back, for the calls whose 8-bit forms do not
// carry every character faithfully.
#pragma once

#include <string>
#include <string_view>

std::wstring WideOf(std::string_view text);
std::string NarrowOf(std::wstring_view wide);
