#include "ui/scaling/dialog_template.h"

#include <string_view>

namespace {

constexpr std::uint32_t kSetFont = 0x40;  // DS_SETFONT
constexpr std::uint16_t kExtendedSignature = 0xFFFF;

// Little-endian words, each read only where the bytes reach.
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
    // Four signed words: x, y, width, height.
    bool Rect(std::size_t at, DialogUnitRect& rect) const {
        std::uint16_t w[4] = {};
        for (std::size_t i = 0; i < 4; ++i)
            if (!Word(at + 2 * i, w[i])) return false;
        rect = {std::int16_t(w[0]), std::int16_t(w[1]), std::int16_t(w[2]), std::int16_t(w[3])};
        return true;
    }
    // Past a menu, class or title field: none, an ordinal, or a string, all
    // in UTF-16.
    bool SkipNameOrOrdinal(std::size_t& at) const {
        std::uint16_t first = 0;
        if (!Word(at, first)) return false;
        if (first == 0xFFFF) return (at += 4) <= size_;
        return String(at, nullptr);
    }
    // A zero-terminated UTF-16 string; its ASCII characters go to `ascii`.
    bool String(std::size_t& at, std::string* ascii) const {
        for (std::uint16_t unit = 1; unit != 0; at += 2) {
            if (!Word(at, unit)) return false;
            if (ascii && unit != 0 && unit < 0x80) ascii->push_back(static_cast<char>(unit));
        }
        return true;
    }

private:
    const std::uint8_t* bytes_;
    std::size_t size_;
};

std::size_t DwordAligned(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

struct DesignFont {
    std::string_view face;
    int points;
    DialogBaseUnits at96;
};
constexpr DesignFont kDesignFonts[] = {
    // face, points, base units at 96 dpi
    {"MS Shell Dlg", 8, {6, 13}},
    {"Microsoft Sans Serif", 10, {8, 15}},
};

}  // namespace

DialogBaseUnits DesignBaseUnits(const DialogTemplate& source) {
    for (const DesignFont& font : kDesignFonts)
        if (source.face == font.face && source.points == font.points) return font.at96;
    return kDesignFonts[0].at96;
}

std::optional<DialogTemplate> ReadDialogTemplate(const std::uint8_t* bytes, std::size_t size) {
    const Reader reader(bytes, size);
    std::uint16_t version = 0, signature = 0;
    const bool extended =
        reader.Word(0, version) && reader.Word(2, signature) && version == 1 && signature == kExtendedSignature;
    // DIALOGEX: version, signature, help id, extended style, style, count,
    // x, y, cx, cy. DIALOG: style, extended style, count, x, y, cx, cy.
    std::uint32_t style = 0;
    std::uint16_t count = 0;
    DialogTemplate found;
    if (!reader.Dword(extended ? 12 : 0, style) || !reader.Word(extended ? 16 : 8, count) ||
        !reader.Rect(extended ? 18 : 10, found.dialog))
        return std::nullopt;
    std::size_t at = extended ? 26 : 18;
    if (!reader.SkipNameOrOrdinal(at) || !reader.SkipNameOrOrdinal(at) || !reader.String(at, nullptr))
        return std::nullopt;
    if (style & kSetFont) {
        std::uint16_t points = 0;
        if (!reader.Word(at, points)) return std::nullopt;
        at += extended ? 6 : 2;  // DIALOGEX: weight, italic and character set follow
        if (!reader.String(at, &found.face)) return std::nullopt;
        found.points = points;
    }
    // Each control, on a DWORD boundary. DIALOGEX: help id, extended style,
    // style, x, y, cx, cy, a DWORD id. DIALOG: style, extended style, x, y,
    // cx, cy, a WORD id. Then class, title and the size of the creation data.
    for (int control = 0; control < count; ++control) {
        at = DwordAligned(at);
        DialogUnitRect rect{};
        if (!reader.Rect(at + (extended ? 12 : 8), rect)) return std::nullopt;
        at += extended ? 24 : 18;
        std::uint16_t extra = 0;
        if (!reader.SkipNameOrOrdinal(at) || !reader.SkipNameOrOrdinal(at) || !reader.Word(at, extra))
            return std::nullopt;
        at += 2 + extra;
        found.controls.push_back(rect);
    }
    return found;
}
