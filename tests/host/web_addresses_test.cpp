// The program's pages are stored scrambled and come back whole, and are found
// where they ship: beside the program file, or inside it.
#include "app/web_addresses.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WebAddresses, StoredOneCodeHigherThanTheAddress) {
    const auto stored = Scramble("Az09:/.");
    EXPECT_EQ(std::string(stored.data()), "B{1:;0/");
    EXPECT_EQ(stored.back(), '\0');
    EXPECT_EQ(Unscrambled(stored), "Az09:/.");
}

TEST(WebAddresses, PagesLieInTheProgramsFolder) {
    const struct {
        const wchar_t* program;
        const wchar_t* page;
    } cases[] = {
        {LR"(C:\Programs\Lumora\Lumora.exe)", LR"(C:\Programs\Lumora\help\index.html)"},
        {LR"(C:\Program Files\My.Tools\Lumora.exe)", LR"(C:\Program Files\My.Tools\help\index.html)"},
        {LR"(\\server\share\Lumora.exe)", LR"(\\server\share\help\index.html)"},
        {L"C:/Lumora/Lumora.exe", LR"(C:/Lumora/help\index.html)"},
        // A folder the ANSI code page cannot spell stays whole.
        {LR"(C:\Users\Иван\AppData\Local\Programs\Lumora\Lumora.exe)",
         LR"(C:\Users\Иван\AppData\Local\Programs\Lumora\help\index.html)"},
        // Without a folder nothing is opened, rather than a page of whatever folder is current.
        {L"Lumora.exe", L""},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(PageBesideProgram(c.program, R"(help\index.html)"), c.page);
}

TEST(WebAddresses, ThePanesPageIsAResourceOfTheProgram) {
    const struct {
        const wchar_t* program;
        const wchar_t* address;
    } cases[] = {
        {LR"(C:\Programs\Lumora\Lumora.exe)", LR"(res://C:\Programs\Lumora\Lumora.exe/PANE.HTML)"},
        {LR"(C:\Program Files\Lumora\Lumora.exe)", LR"(res://C:\Program Files\Lumora\Lumora.exe/PANE.HTML)"},
        {LR"(C:\Users\Иван\Lumora.exe)", LR"(res://C:\Users\Иван\Lumora.exe/PANE.HTML)"},
        // What would start an escape or end the path is encoded.
        {LR"(C:\100% #1\Lumora.exe)", LR"(res://C:\100%25 %231\Lumora.exe/PANE.HTML)"},
        {L"", L""},
    };
    for (const auto& c : cases) EXPECT_EQ(ResourcePageAddress(c.program, "PANE.HTML"), c.address);
}

}  // namespace
