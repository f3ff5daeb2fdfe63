#include <cstdint>
#include <fstream>
#include <string>

#include "platform/plugin_version.h"

namespace postsift::platform {

namespace {

// The ELF file's soname (DT_SONAME), found as the dynamic loader finds it:
// the PT_DYNAMIC segment's entries give the string table's address and the
// name's offset in it, and the PT_LOAD segments map that address to a
// place in the file. Both ELF classes and byte orders are read; every read
// is checked, so a truncated or damaged file has no soname.
class elfFile {
public:
    explicit elfFile(const std::string& path) : in_(path, std::ios::binary) {}

    bool soname(std::string& name) {
        unsigned char ident[16];
        if (!read(0, ident, sizeof ident) || ident[0] != 0x7f || ident[1] != 'E' || ident[2] != 'L' ||
            ident[3] != 'F')
            return false;
        if (ident[4] != 1 && ident[4] != 2) return false;
        if (ident[5] != 1 && ident[5] != 2) return false;
        wide_ = ident[4] == 2;
        bigEndian_ = ident[5] == 2;
        const unsigned word = wide_ ? 8 : 4;

        std::uint64_t headerTable = 0;
        std::uint64_t headerSize = 0;
        std::uint64_t headerCount = 0;
        if (!field(wide_ ? 32 : 28, word, headerTable) || !field(wide_ ? 54 : 42, 2, headerSize) ||
            !field(wide_ ? 56 : 44, 2, headerCount) || headerSize < (wide_ ? 56u : 32u))
            return false;

        // The dynamic segment, and the loaded segments for the mapping.
        std::uint64_t dynamicOffset = 0;
        std::uint64_t dynamicSize = 0;
        bool dynamicFound = false;
        for (std::uint64_t i = 0; i < headerCount; ++i) {
            const std::uint64_t at = headerTable + i * headerSize;
            std::uint64_t type = 0;
            if (!field(at, 4, type)) return false;
            if (type == segmentDynamic) {
                if (!field(at + (wide_ ? 8 : 4), word, dynamicOffset) ||
                    !field(at + (wide_ ? 32 : 16), word, dynamicSize))
                    return false;
                dynamicFound = true;
            }
        }
        if (!dynamicFound) return false;

        std::uint64_t tableAddress = 0;
        std::uint64_t nameOffset = 0;
        bool tableFound = false;
        bool nameFound = false;
        const std::uint64_t entrySize = 2 * word;
        const std::uint64_t dynamicEnd =
            dynamicSize > UINT64_MAX - dynamicOffset ? UINT64_MAX : dynamicOffset + dynamicSize;
        for (std::uint64_t at = dynamicOffset; dynamicEnd >= entrySize && at <= dynamicEnd - entrySize;
             at += entrySize) {
            std::uint64_t tag = 0;
            std::uint64_t value = 0;
            if (!field(at, word, tag) || !field(at + word, word, value)) return false;
            if (tag == tagNull) break;
            if (tag == tagStringTable) {
                tableAddress = value;
                tableFound = true;
            } else if (tag == tagSoname) {
                nameOffset = value;
                nameFound = true;
            }
        }
        std::uint64_t tableOffset = 0;
        if (!tableFound || !nameFound || !fileOffset(tableAddress, headerTable, headerSize, headerCount, tableOffset))
            return false;
        return string(tableOffset + nameOffset, name);
    }

private:
    static constexpr std::uint64_t segmentLoad = 1;
    static constexpr std::uint64_t segmentDynamic = 2;
    static constexpr std::uint64_t tagNull = 0;
    static constexpr std::uint64_t tagStringTable = 5;
    static constexpr std::uint64_t tagSoname = 14;

    bool read(std::uint64_t offset, unsigned char* target, std::size_t count) {
        // Beyond what a stream offset holds no file reaches.
        if (offset > static_cast<std::uint64_t>(INT64_MAX) / 2) return false;
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        in_.read(reinterpret_cast<char*>(target), static_cast<std::streamsize>(count));
        return in_.gcount() == static_cast<std::streamsize>(count);
    }

    // An unsigned field of 2, 4 or 8 bytes in the file's byte order.
    bool field(std::uint64_t offset, unsigned width, std::uint64_t& value) {
        unsigned char bytes[8];
        if (!read(offset, bytes, width)) return false;
        value = 0;
        for (unsigned i = 0; i < width; ++i)
            value |= static_cast<std::uint64_t>(bytes[bigEndian_ ? width - 1 - i : i]) << (8 * i);
        return true;
    }

    // Where a loaded address lies in the file.
    bool fileOffset(std::uint64_t address, std::uint64_t headerTable, std::uint64_t headerSize,
                    std::uint64_t headerCount, std::uint64_t& offset) {
        const unsigned word = wide_ ? 8 : 4;
        for (std::uint64_t i = 0; i < headerCount; ++i) {
            const std::uint64_t at = headerTable + i * headerSize;
            std::uint64_t type = 0;
            std::uint64_t segmentOffset = 0;
            std::uint64_t segmentAddress = 0;
            std::uint64_t segmentSize = 0;
            if (!field(at, 4, type)) return false;
            if (type != segmentLoad) continue;
            if (!field(at + (wide_ ? 8 : 4), word, segmentOffset) ||
                !field(at + (wide_ ? 16 : 8), word, segmentAddress) || !field(at + (wide_ ? 32 : 16), word, segmentSize))
                return false;
            if (address >= segmentAddress && address - segmentAddress < segmentSize) {
                offset = segmentOffset + (address - segmentAddress);
                return true;
            }
        }
        return false;
    }

    // A NUL-terminated name, of a length that a soname can have.
    bool string(std::uint64_t offset, std::string& text) {
        text.clear();
        unsigned char c = 0;
        while (text.size() < 4096) {
            if (!read(offset + text.size(), &c, 1)) return false;
            if (c == '\0') return true;
            text += static_cast<char>(c);
        }
        return false;
    }

    std::ifstream in_;
    bool wide_ = false;
    bool bigEndian_ = false;
};

}  // namespace

std::string pluginFileVersion(const std::string& path) {
    std::string soname;
    if (!elfFile(path).soname(soname)) return std::string();
    const std::size_t mark = soname.rfind(".so.");
    return mark == std::string::npos ? std::string() : soname.substr(mark + 4);
}

const char* registrationNeeds() {
    return "registering needs the right to write the settings root (POSTSIFT_REGISTRY_ROOT, by default "
           "/var/lib/postsift/registry)";
}

}  // namespace postsift::platform
