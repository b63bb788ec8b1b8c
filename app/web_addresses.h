// The program's web addresses. They are kept scrambled, every character code
// one higher than in the address, and lowered again when needed; the plain
// texts exist only while compiling.
#pragma once

#include <array>
#include <cstddef>
#include <string>

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

// The help page (the application's help command).
inline constexpr auto kHelpAddress = Scramble("https://lumora.example/support");
// The web pane's page, the about page and the credit link (the wizard frame).
inline constexpr auto kPaneAddress = Scramble("https://lumora.example/wizard/news");
inline constexpr auto kAboutAddress = Scramble("https://lumora.example/about");
inline constexpr auto kPoweredByAddress = Scramble("https://brightvale.example/");
