#pragma once
#include "reading/lines/message_line.h"

namespace postsift {

// The armour of a clear-signed message: the "-----BEGIN PGP SIGNED
// MESSAGE-----" line with the "Hash:" lines and the empty line that follow
// it, and the signature block from "-----BEGIN PGP SIGNATURE-----" to
// "-----END PGP SIGNATURE-----". The signed text between them is read, its
// dash-escaping ("- " at a line start) undone. A quoted signed message is
// handled at its own quote depth.
class signedArmour {
public:
    enum verdict { keep, leaveOut, unescaped };

    // What becomes of the line; for `unescaped` its content has been moved
    // past the "- ".
    verdict judge(messageLine& line);

private:
    enum state { outside, armourHeader, signedText, signature };

    verdict judgeOutside(const messageLine& line);

    state state_ = outside;
    int depth_ = 0;
};

}  // namespace postsift
