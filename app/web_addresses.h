// The pages the program opens, all of which ship with it: the help and about
// pages are files installed beside the program, the web pane's page is an
// HTML resource of the program itself, so that none of them needs a network.
// Their names are kept scrambled, every character code one higher than in the
// name, and lowered again when needed; the plain texts exist only while
// compiling.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

template <std::size_t N>
using ScrambledAddress = std::array<char, N>;  // ends with its zero

template <std::size_t N>
consteval ScrambledAddress<N> Scramble(const char (&plain)[N]) {
    ScrambledAddress<N> scrambled{};
    for (std::size_t i = 0; i + 1 < N; ++i) scrambled[i] = static_cast<char>(plain[i] + 1);
    return scrambled;
}

// Lowers the code of every character before the terminating zero by one.
inline void Unscramble(char* text) {
    for (; *text; ++text) *text = static_cast<char>(*text - 1);
}

template <std::size_t N>
std::string Unscrambled(const ScrambledAddress<N>& scrambled) {
    std::string address(scrambled.data());
    Unscramble(address.data());
    return address;
}

// The help command's page, and the page of About and of the credit picture,
// relative to the program's folder.
inline constexpr auto kHelpPage = Scramble("help\\index.html");
inline constexpr auto kAboutPage = Scramble("help\\about.html");
// The web pane's page: the program's HTML resource of this name.
inline constexpr auto kPanePage = Scramble("PANE.HTML");

// The program's path is wide: its ANSI form names nothing where the folder is
// outside the code page (a user's own folder, in another script). The pages'
// names are ASCII.

// `page` in the folder of the program file `programPath`; "" when the path
// names no folder, so that nothing is opened relative to whatever folder is
// current.
std::wstring PageBesideProgram(std::wstring_view programPath, std::string_view page);

// The address under which the browser control's res: protocol finds the HTML
// resource `name` of the program file `programPath`, or "" without a path.
std::wstring ResourcePageAddress(std::wstring_view programPath, std::string_view name);
