// Lumora.exe under its boxes, under Wine with the recording stand-in for
// PLX.dll: while a message box or the exit question is up the wizard takes no
// input, and a press that reaches it all the same (the driver posts BM_CLICK,
// which a disabled window does not stop) changes nothing.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/page_session.h"

namespace {

using e2e::kSettingsKey;
using e2e::PageSession;
using e2e::StoredDword;
using Calls = std::vector<std::string>;

constexpr char kSaveCaption[] = "Lumora";
constexpr char kGammaCaption[] = "Tintsprite";

// The program (our own, well formed) with dialog template `id` renumbered to
// `unused`, which keeps the resource directory's ids in order: the dialog
// cannot be made. Wine's resource updater would leave the file as it was.
bool RenumberDialogTemplate(const std::string& program, WORD id, WORD unused) {
    std::ifstream in(program, std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        bytes.data() + reinterpret_cast<const IMAGE_DOS_HEADER*>(bytes.data())->e_lfanew);
    const DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE].VirtualAddress;
    std::size_t root = 0;
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
        if (rva >= section->VirtualAddress && rva < section->VirtualAddress + section->SizeOfRawData)
            root = rva - section->VirtualAddress + section->PointerToRawData;
    // The entry named `wanted` in the directory at `directory`, or nullptr.
    auto find = [&](std::size_t directory, WORD wanted) -> IMAGE_RESOURCE_DIRECTORY_ENTRY* {
        const auto* header = reinterpret_cast<const IMAGE_RESOURCE_DIRECTORY*>(bytes.data() + directory);
        auto* entry = reinterpret_cast<IMAGE_RESOURCE_DIRECTORY_ENTRY*>(bytes.data() + directory + sizeof *header);
        for (int i = 0; i < header->NumberOfNamedEntries + header->NumberOfIdEntries; ++i, ++entry)
            if (!entry->NameIsString && entry->Id == wanted) return entry;
        return nullptr;
    };
    const IMAGE_RESOURCE_DIRECTORY_ENTRY* dialogs = root ? find(root, LOWORD(RT_DIALOG)) : nullptr;
    IMAGE_RESOURCE_DIRECTORY_ENTRY* dialog = dialogs ? find(root + dialogs->OffsetToDirectory, id) : nullptr;
    if (!dialog) return false;
    dialog->Id = unused;
    std::ofstream(program, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
    return true;
}

class ModalBoxes : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_WITHOUT_DISPLAY();
        ASSERT_TRUE(wizard_.ready());
    }
    bool FrameTakesInput() const { return IsWindowEnabled(wizard_.Frame()) != FALSE; }

    PageSession wizard_;
};

// Under the message of a failed profile, Save and Exit again: one profile
// request, this save's values stored and not undone, the wizard ends once.
TEST_F(ModalBoxes, SaveAndExitUnderTheProfileFailureChangeNothing) {
    wizard_.ScriptEngine("2:14", "180,250,300");
    ASSERT_TRUE(wizard_.Start());
    ASSERT_TRUE(wizard_.OpenGammaPage());
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
    wizard_.SliderKey(IDC_RED_SLIDER, VK_RIGHT);
    ASSERT_TRUE(wizard_.OpenSavePage());
    ASSERT_TRUE(wizard_.Click(IDC_SAVE));
    ASSERT_NE(wizard_.WaitForMessage(kSaveCaption), nullptr);
    EXPECT_FALSE(FrameTakesInput());
    EXPECT_TRUE(wizard_.Click(IDC_SAVE));
    EXPECT_TRUE(wizard_.Click(IDCANCEL));
    EXPECT_EQ(wizard_.WaitForExitQuestion(500), nullptr);

    EXPECT_EQ(wizard_.TakeMessage(kSaveCaption), "ICC monitor profile open failure.");
    EXPECT_TRUE(wizard_.WaitForEnd());
    EXPECT_EQ(wizard_.Calls(), (Calls{"0 220 220 220", "1 181 250 300", "2 181 250 300"}));
    EXPECT_EQ(StoredDword(kSettingsKey, "RedGamma"), 181u);
    EXPECT_EQ(StoredDword(kSettingsKey, "BlueGamma"), 300u);
    EXPECT_EQ(wizard_.WaitForResumeStart().size(), 3u);
}

// The gamma page warns while it is being created. Next and Back under the
// warning make no second page and switch no buttons; afterwards the frame
// takes input again, on the gamma page with its own buttons.
TEST_F(ModalBoxes, NextAndBackUnderTheGammaPagesWarningDoNothing) {
    wizard_.ScriptEngine("0:0");
    ASSERT_TRUE(wizard_.Start());
    ASSERT_TRUE(wizard_.OpenGammaPage());
    ASSERT_NE(wizard_.WaitForMessage(kGammaCaption), nullptr);
    EXPECT_FALSE(FrameTakesInput());
    EXPECT_TRUE(wizard_.Click(IDC_NEXT1));
    EXPECT_TRUE(wizard_.Click(IDC_BACK1));

    EXPECT_EQ(wizard_.TakeMessage(kGammaCaption), "Gamma ramp could not be retrieved.");
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
    EXPECT_FALSE(wizard_.MessageShown(kGammaCaption));
    EXPECT_TRUE(FrameTakesInput());
    EXPECT_EQ(wizard_.PageCount(IDD_STEP2_PAGE), 1);
    EXPECT_TRUE(e2e::WaitUntil([&] { return wizard_.Pressable(IDC_NEXT2) && wizard_.Pressable(IDC_BACK2); }));
    EXPECT_FALSE(wizard_.Pressable(IDC_NEXT1) || wizard_.Pressable(IDC_BACK1));
    EXPECT_EQ(wizard_.Calls(), Calls{"0 220 220 220"});
    EXPECT_TRUE(wizard_.Exit());
}

// An exit question that cannot be shown (its template is not found) lets the
// user leave, and the gammas go back as on every Exit.
TEST_F(ModalBoxes, ExitWhoseQuestionCannotBeShownLeaves) {
    ASSERT_TRUE(RenumberDialogTemplate(wizard_.sandbox().Path("Lumora.exe"), IDD_EXIT_QUESTION, 118));
    wizard_.ScriptEngine("", "180,250,300");
    ASSERT_TRUE(wizard_.Start());
    ASSERT_TRUE(wizard_.OpenGammaPage());
    ASSERT_TRUE(wizard_.WaitForPage(IDD_STEP2_PAGE));
    wizard_.SliderKey(IDC_RED_SLIDER, VK_RIGHT);
    ASSERT_TRUE(wizard_.Click(IDCANCEL));
    EXPECT_EQ(wizard_.WaitForExitQuestion(2000), nullptr);
    EXPECT_TRUE(wizard_.WaitForEnd());
    EXPECT_EQ(wizard_.Calls(), (Calls{"0 220 220 220", "1 181 250 300", "1 180 250 300"}));
}

}  // namespace
