#include "engine/profile/icc_profile_writer.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "engine/profile/big_endian.h"
#include "engine/profile/profile_path.h"

namespace plx {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kTagCountSize = 4;
constexpr std::size_t kTagEntrySize = 12;  // signature, offset, size

void PutHeader(std::uint8_t* at, const ProfileHeader& header, std::uint32_t fileSize) {
    auto put = [&at](std::uint32_t word) {
        PutU32(at, word);
        at += 4;
    };
    put(fileSize);
    put(header.cmmType);
    put(header.version);
    put(header.deviceClass);
    put(header.dataColorSpace);
    put(header.connectionSpace);
    for (std::uint32_t word : header.dateTime) put(word);
    put(header.signature);
    put(header.platform);
    put(header.flags);
    put(header.manufacturer);
    put(header.model);
    for (std::uint32_t word : header.attributes) put(word);
    put(header.renderingIntent);
    for (std::int32_t word : header.illuminant) put(static_cast<std::uint32_t>(word));
    put(header.creator);
    std::memcpy(at, header.reserved, sizeof header.reserved);
}

// Header, tag count, tag table in the tags' order, then the tag data on 4-byte
// boundaries. The file ends padded to a multiple of 4 as well, which ICC.1
// readers accept for version 2 and later versions require. Empty when the
// profile would not fit the header's 32-bit size field.
std::vector<std::uint8_t> LayOut(const ProfileHeader& header, const std::vector<ProfileTag>& tags) {
    std::uint64_t end = kHeaderSize + kTagCountSize + kTagEntrySize * tags.size();
    std::vector<std::uint64_t> offsets;
    for (const ProfileTag& tag : tags) {
        end = AlignTo4(end);
        offsets.push_back(end);
        end += tag.data.size();
    }
    end = AlignTo4(end);
    if (end > std::numeric_limits<std::uint32_t>::max()) return {};

    std::vector<std::uint8_t> file(end, 0);
    PutHeader(file.data(), header, static_cast<std::uint32_t>(end));
    std::uint8_t* entry = file.data() + kHeaderSize;
    PutU32(entry, static_cast<std::uint32_t>(tags.size()));
    entry += kTagCountSize;
    for (std::size_t i = 0; i < tags.size(); ++i, entry += kTagEntrySize) {
        PutU32(entry, tags[i].signature);
        PutU32(entry + 4, static_cast<std::uint32_t>(offsets[i]));
        PutU32(entry + 8, static_cast<std::uint32_t>(tags[i].data.size()));
        std::copy(tags[i].data.begin(), tags[i].data.end(), file.begin() + offsets[i]);
    }
    return file;
}

ProfileTag* FindTag(std::vector<ProfileTag>& tags, TagSignature signature) {
    auto it = std::find_if(tags.begin(), tags.end(), [&](const ProfileTag& t) { return t.signature == signature; });
    return it == tags.end() ? nullptr : &*it;
}

}  // namespace

IccProfileWriter::~IccProfileWriter() {
    for (auto& [handle, profile] : open_)
        if (profile.file != kNoHandle) files_.CloseHandle(profile.file);
}

IccProfileWriter::Profile* IccProfileWriter::Find(Handle profile) {
    auto it = open_.find(profile);
    return it == open_.end() ? nullptr : &it->second;
}

// The record is made before the file, so that memory running out leaves no
// file open behind the caller's back.
Handle IccProfileWriter::OpenColorProfileA(const char* path) {
    if (!UsableProfilePath(path)) return kNoHandle;
    const auto record = open_.emplace(next_, Profile{kNoHandle, ProfileHeader{}, {}}).first;
    record->second.file = files_.CreateFileA(path);
    if (record->second.file == kNoHandle) {
        open_.erase(record);
        return kNoHandle;
    }
    return next_++;
}

bool IccProfileWriter::SetColorProfileHeader(Handle handle, const ProfileHeader& header) {
    Profile* profile = Find(handle);
    if (profile == nullptr) return false;
    profile->header = header;
    return true;
}

bool IccProfileWriter::SetColorProfileElementSize(Handle handle, TagSignature signature, std::uint32_t size) {
    Profile* profile = Find(handle);
    if (profile == nullptr || size == 0) return false;
    try {
        if (ProfileTag* tag = FindTag(profile->tags, signature)) {
            tag->data.resize(size);
        } else {
            profile->tags.push_back({signature, std::vector<std::uint8_t>(size)});
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool IccProfileWriter::SetColorProfileElement(Handle handle, TagSignature signature, std::uint32_t offset,
                                              std::uint32_t size, const void* data) {
    Profile* profile = Find(handle);
    if (profile == nullptr || data == nullptr) return false;
    ProfileTag* tag = FindTag(profile->tags, signature);
    if (tag == nullptr) return false;  // its size was never set
    if (offset > tag->data.size() || size > tag->data.size() - offset) return false;
    std::memcpy(tag->data.data() + offset, data, size);
    return true;
}

bool IccProfileWriter::CloseColorProfile(Handle handle) {
    Profile* profile = Find(handle);
    if (profile == nullptr) return false;
    bool written = false;
    try {
        const std::vector<std::uint8_t> file = LayOut(profile->header, profile->tags);
        written = !file.empty() && files_.WriteFile(profile->file, file.data(), file.size());
    } catch (const std::bad_alloc&) {
    }
    const bool closed = files_.CloseHandle(profile->file);
    open_.erase(handle);
    return written && closed;
}

}  // namespace plx
