#pragma once
// A value for each of the 256 bytes, worked out once, at compile time: a
// walk that asks the same question of every byte of a text looks its
// answer up, with no branch on what the byte is.

namespace postsift {

template <class T>
struct byteTable {
    T of[256];
};

// The table of what `classify` (a constexpr function of an unsigned char)
// answers for each byte.
template <class T, class Classify>
constexpr byteTable<T> tableOfBytes(Classify classify) {
    byteTable<T> table{};
    for (int c = 0; c < 256; ++c) table.of[c] = static_cast<T>(classify(static_cast<unsigned char>(c)));
    return table;
}

}  // namespace postsift
