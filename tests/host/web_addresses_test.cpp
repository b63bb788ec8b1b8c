// The program's web addresses are stored scrambled and come back whole.
#include "app/web_addresses.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(WebAddresses, StoredOneCodeHigherThanTheAddress) {
    const auto stored = Scramble("Az09:/.");
    EXPECT_EQ(std::string(stored.data()), "B{1:;0/");
    EXPECT_EQ(stored.back(), '\0');
    EXPECT_EQ(Unscrambled(stored), "Az09:/.");
}

TEST(WebAddresses, AllComeBackAsWebAddresses) {
    for (const std::string& address : {Unscrambled(kHelpAddress), Unscrambled(kPaneAddress),
                                      Unscrambled(kAboutAddress), Unscrambled(kPoweredByAddress)}) {
        EXPECT_EQ(address.rfind("https://", 0), 0u) << address;
        EXPECT_EQ(address.find_first_of(" \"\\"), std::string::npos) << address;
    }
}

// The help command unscrambles a copy in a zero-filled 48-byte buffer.
TEST(WebAddresses, HelpAddressHasThirtyCharacters) {
    char buffer[48] = {};
    std::memcpy(buffer, kHelpAddress.data(), sizeof kHelpAddress);
    Unscramble(buffer);
    EXPECT_EQ(std::strlen(buffer), 30u);
    EXPECT_STREQ(buffer, "https://lumora.example/support");
}

}  // namespace
