// An independent reader of ICC files for the tests: big-endian fields, the tag
// table, and a structural check of the layout. Shares no code with the writer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace plx::fake {

using IccBytes = std::vector<std::uint8_t>;

inline std::uint32_t ReadU32(const IccBytes& b, std::size_t at) {
    return std::uint32_t{b.at(at)} << 24 | std::uint32_t{b.at(at + 1)} << 16 | std::uint32_t{b.at(at + 2)} << 8 |
           b.at(at + 3);
}

inline std::uint16_t ReadU16(const IccBytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b.at(at) << 8 | b.at(at + 1));
}

inline std::string ReadSignature(const IccBytes& b, std::size_t at) {
    return std::string(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at + 4));
}

struct IccTag {
    std::string signature;
    std::uint32_t offset, size;
};

// The tag table; the file must hold it (see IccStructureFault).
inline std::vector<IccTag> ReadTagTable(const IccBytes& file) {
    std::vector<IccTag> tags;
    const std::uint32_t count = ReadU32(file, 128);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 132 + 12 * std::size_t{i};
        tags.push_back({ReadSignature(file, entry), ReadU32(file, entry + 4), ReadU32(file, entry + 8)});
    }
    return tags;
}

inline IccBytes TagData(const IccBytes& file, const IccTag& tag) {
    return IccBytes(file.begin() + tag.offset, file.begin() + tag.offset + tag.size);
}

// Empty for a well-formed file, else what is wrong with it: the header's size
// is the file's length, the tag table fits, every tag starts on a 4-byte
// boundary after the table, lies within the file, overlaps no other tag and
// is listed once, and every byte between tags is zero padding.
inline std::string IccStructureFault(const IccBytes& file) {
    if (file.size() < 132) return "shorter than header and tag count";
    if (ReadU32(file, 0) != file.size()) return "header size is not the file's length";
    if (ReadSignature(file, 36) != "acsp") return "no acsp signature";
    const std::uint64_t count = ReadU32(file, 128);
    const std::uint64_t tableEnd = 132 + 12 * count;
    if (tableEnd > file.size()) return "tag table beyond the file";
    std::vector<IccTag> tags = ReadTagTable(file);
    std::set<std::string> seen;
    for (const IccTag& t : tags) {
        if (!seen.insert(t.signature).second) return t.signature + " listed twice";
        if (t.offset % 4 != 0) return t.signature + " not on a 4-byte boundary";
        if (t.offset < tableEnd) return t.signature + " inside header or tag table";
        if (t.size == 0 || std::uint64_t{t.offset} + t.size > file.size()) return t.signature + " beyond the file";
    }
    std::sort(tags.begin(), tags.end(), [](const IccTag& a, const IccTag& b) { return a.offset < b.offset; });
    std::uint64_t end = tableEnd;
    for (const IccTag& t : tags) {
        if (t.offset < end) return t.signature + " overlaps the tag before it";
        if (std::any_of(file.begin() + static_cast<std::ptrdiff_t>(end), file.begin() + t.offset,
                        [](std::uint8_t b) { return b != 0; }))
            return "non-zero padding before " + t.signature;
        end = std::uint64_t{t.offset} + t.size;
    }
    if (file.size() - end > 3) return "more than padding after the last tag";
    return {};
}

}  // namespace plx::fake
