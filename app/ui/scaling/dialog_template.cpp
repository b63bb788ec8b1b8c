#include "app/ui/scaling/dialog_template.h"

namespace {

constexpr std::uint32_t kSetFont = 0x40;  // DS_SETFONT
constexpr std::uint16_t kExtendedSignature = 0xFFFF;

// The template's header as far as its font: little-endian words, each read
// only where the bytes reach.
class Reader {
public:
    Reader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool Word(std::size_t at, std::uint16_t& value) const {
        if (!bytes_ || at > size_ || size_ - at < 2) return false;
        value = static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
        return true;
    }
    bool Dword(std::size_t at, std::uint32_t& value) const {
        std::uint16_t low = 0, high = 0;
        if (!Word(at, low) || !Word(at + 2, high)) return false;
        value = low | std::uint32_t{high} << 16;
        return true;
    }
    // Past a menu or class field (none, an ordinal, or a string) or a title
    // (a string), all in UTF-16.
    bool SkipNameOrOrdinal(std::size_t& at) const {
        std::uint16_t first = 0;
        if (!Word(at, first)) return false;
        if (first == 0xFFFF) return (at += 4) <= size_;
        return SkipString(at);
    }
    bool SkipString(std::size_t& at) const {
        for (std::uint16_t unit = 1; unit != 0; at += 2)
            if (!Word(at, unit)) return false;
        return true;
    }

private:
    const std::uint8_t* bytes_;
    std::size_t size_;
};

}  // namespace

std::optional<int> DialogFontPoints(const std::uint8_t* bytes, std::size_t size) {
    const Reader reader(bytes, size);
    std::uint16_t version = 0, signature = 0;
    const bool extended = reader.Word(0, version) && reader.Word(2, signature) && version == 1 &&
                          signature == kExtendedSignature;
    // DIALOGEX: version, signature, help id, extended style, style, count,
    // x, y, cx, cy. DIALOG: style, extended style, count, x, y, cx, cy.
    std::uint32_t style = 0;
    if (!reader.Dword(extended ? 12 : 0, style) || !(style & kSetFont)) return std::nullopt;
    std::size_t at = extended ? 26 : 18;
    std::uint16_t points = 0;
    if (!reader.SkipNameOrOrdinal(at) || !reader.SkipNameOrOrdinal(at) || !reader.SkipString(at) ||
        !reader.Word(at, points))
        return std::nullopt;
    return points;
}
