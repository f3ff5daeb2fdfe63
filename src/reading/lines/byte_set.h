#pragma once

namespace postsift {

// A constant set of bytes, asked of every byte of a line: one lookup where
// a search of the list would walk it each time. Built from the list as it
// reads in the code ("{}[]()<>;"). The byte 0 is in no set (the reading
// pass never sees one: a message ends at its first).
class byteSet {
public:
    constexpr explicit byteSet(const char* bytes) {
        for (; *bytes != '\0'; ++bytes) has_[static_cast<unsigned char>(*bytes)] = true;
    }

    constexpr bool operator()(char c) const { return has_[static_cast<unsigned char>(c)]; }

private:
    bool has_[256] = {};
};

}  // namespace postsift
