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
        const char* program;
        const char* page;
    } cases[] = {
        {R"(C:\Programs\Lumora\Lumora.exe)", R"(C:\Programs\Lumora\help\index.html)"},
        {R"(C:\Program Files\My.Tools\Lumora.exe)", R"(C:\Program Files\My.Tools\help\index.html)"},
        {R"(\\server\share\Lumora.exe)", R"(\\server\share\help\index.html)"},
        {"C:/Lumora/Lumora.exe", R"(C:/Lumora/help\index.html)"},
        // Without a folder nothing is opened, rather than a page of whatever folder is current.
        {"Lumora.exe", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(PageBesideProgram(c.program, R"(help\index.html)"), c.page) << c.program;
}

TEST(WebAddresses, ThePanesPageIsAResourceOfTheProgram) {
    const struct {
        const char* program;
        const char* address;
    } cases[] = {
        {R"(C:\Programs\Lumora\Lumora.exe)", R"(res://C:\Programs\Lumora\Lumora.exe/PANE.HTML)"},
        {R"(C:\Program Files\Lumora\Lumora.exe)", R"(res://C:\Program Files\Lumora\Lumora.exe/PANE.HTML)"},
        // What would start an escape or end the path is encoded.
        {R"(C:\100% #1\Lumora.exe)", R"(res://C:\100%25 %231\Lumora.exe/PANE.HTML)"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ResourcePageAddress(c.program, "PANE.HTML"), c.address) << c.program;
}

}  // namespace
