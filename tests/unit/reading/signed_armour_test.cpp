// The armour of signed messages, at its own quote depth.
#include "reading_fixture.h"

using namespace postsift;

TEST_F(ReadingPass, ArmourAtItsOwnQuoteDepth) {
    rule("[DROP SIGNED ARMOUR]", "true");
    EXPECT_EQ(read("Hi\n> -----BEGIN PGP SIGNED MESSAGE-----\n> Hash: SHA1\n>\n> - signed\n"
                   ">> - deeper\n> -----BEGIN PGP SIGNATURE-----\n> abc+/=\n> -----END PGP SIGNATURE-----\n"
                   "- mine\n"),
              "Hi\n> signed\n>> - deeper\n- mine\n");
    // A signature block that never ends stops at the first line that is no armour.
    EXPECT_EQ(read("-----BEGIN PGP SIGNATURE-----\r\nVersion: 1\r\nabc=\r\nNot armour.\r\nabc\r\n"),
              "Not armour.\r\nabc\r\n");
}
