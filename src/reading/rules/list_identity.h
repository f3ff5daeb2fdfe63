#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "reading/pass/line_facts.h"

namespace postsift {

// Which mailing list a message came through, as its own header fields say:
// "List-Id: Choir talk <choir-talk.lists.example.net>", "List-Post:
// <mailto:choir-talk@lists.example.net>", "List-Unsubscribe:
// <https://lists.example.net/mailman/listinfo/choir-talk>", List-Archive,
// List-Help, List-Subscribe, Mailing-List, X-Mailing-List, and a Sender
// that is a list's ("choir-talk-bounces@...", "owner-choir-talk@...", or any
// Sender with "Precedence: list" or "bulk"). A list's footer names the list
// by one of them: its address, its host, its name, its description.
class listIdentity {
public:
    // A line of the leading header; a folded line goes on with the field
    // above it.
    void observe(const lineFacts& line);
    // Whether a field line of the leading header begins one of the fields
    // read here.
    static bool reads(const char* keyword, const char* keywordEnd) {
        return fieldOf(keyword, keywordEnd) != field::none;
    }
    // The header is over: what the fields said is put together.
    void finish();

    // Whether the header named a list.
    bool known() const { return hosts_.count != 0 || names_.count != 0; }
    // Whether the folded text names the list's host or address, which a
    // link or an address to the list does.
    bool hostIn(std::string_view folded) const;
    // Whether every link and address in it is the list's: a line that also
    // links elsewhere holds more than the footer.
    bool linksOnlyToList(std::string_view folded) const;
    // Whether it names the list by its name, as a word of its own, or its
    // description.
    bool nameIn(std::string_view folded) const;
    // Whether [begin, end), folded or not, may name the list's host, name or
    // description at all: it holds the two bytes at the rarest byte of one
    // of them. Most lines hold none, and need not be folded to be searched.
    bool mayBeNamedIn(const char* begin, const char* end) const;

private:
    enum class field { none, listId, listLinks, sender, precedence };

    static field fieldOf(const char* name, const char* end);
    void read(field kind, std::string_view value);
    // The parts of a field's value are looked at where they stand in it,
    // and copied, folded, only when kept.
    void addAddress(std::string_view address);
    void addHost(std::string_view host);
    void addName(std::string_view name);

    field current_ = field::none;
    // The value of the field being read: where it stands in the text, or,
    // when it goes on in folded lines, joined in value_.
    const char* valueBegin_ = nullptr;
    const char* valueEnd_ = nullptr;
    bool joined_ = false;
    std::string value_;
    bool listPrecedence_ = false;
    // The hosts, names and descriptions (folded), each at most
    // longestName bytes and sixteen of each kind, back to back in one
    // string: its room is made once for a message, where a vector and
    // strings of each kind would be made one by one.
    static constexpr std::size_t mostOfEach = 16;
    struct keptText {
        std::uint16_t at = 0;
        std::uint16_t length = 0;
        std::uint16_t rare = 0;  // where its rarest byte is, at which it is looked for
    };
    struct keptList {
        keptText items[mostOfEach];
        std::size_t count = 0;
    };
    std::string_view textOf(keptText kept) const { return std::string_view(kept_).substr(kept.at, kept.length); }
    bool holds(const keptList& list, std::string_view text) const;
    // Kept, folded, unless the list holds it already.
    void keepFolded(keptList& list, std::string_view text);
    // Where the next text kept will begin; keep() keeps what was appended
    // to kept_ from there on, and looks for it by its rarest two bytes.
    std::size_t keptEnd();
    void keep(keptList& list, std::size_t from);
    std::string kept_;
    keptList hosts_;
    keptList names_;
    keptList descriptions_;
    // The two bytes of each (the first above), without repeats: one for each
    // host, name and description at most, of which sixteen each are kept.
    static constexpr std::size_t mostPairs = 48;
    unsigned rarePairs_[mostPairs];
    std::size_t pairCount_ = 0;
    bool pairStarts_[256] = {};        // the first bytes of the pairs, in either case
};

}  // namespace postsift
