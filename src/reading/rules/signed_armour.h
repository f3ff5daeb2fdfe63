#pragma once
#include "reading/pass/reading_rule.h"

namespace postsift {

// The armour of a clear-signed message: the "-----BEGIN PGP SIGNED
// MESSAGE-----" line with the "Hash:" lines and the empty line that follow
// it, and the signature block from "-----BEGIN PGP SIGNATURE-----" to
// "-----END PGP SIGNATURE-----". The signed text between them is read, its
// dash-escaping ("- " at a line start) undone. A quoted signed message is
// handled at its own quote depth.
class signedArmour : public readingRule {
public:
    // Tells the other rules of armour lines, and has them read signed text
    // past its "- ".
    void observe(lineFacts& line, passState& state, readingOutput& out) override;
    lineTaken take(const lineFacts& line, passState& state, readingOutput& out) override;

private:
    enum verdict { keep, leaveOut, unescaped };

    // What becomes of the line; for `unescaped` its content has been moved
    // past the "- ".
    verdict judge(messageLine& line);
    enum state { outside, armourHeader, signedText, signature };

    verdict judgeOutside(const messageLine& line);

    bool looked_ = false;  // the body was looked at for a block
    state state_ = outside;
    int depth_ = 0;
};

}  // namespace postsift
