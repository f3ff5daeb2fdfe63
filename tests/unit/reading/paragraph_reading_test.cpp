// Wrapped paragraphs joined, and their sentences ended.
#include "reading_fixture.h"

using namespace postsift;

TEST_F(ReadingPass, WrappedParagraphsAreJoinedAndEndTheirSentence) {
    rule("[READ PARAGRAPHS]", "true");
    EXPECT_EQ(read("La reunion de demain est deplacee a jeudi parce que la salle du premier\n"
                   "etage est reservee par la direction pour toute la journee\n\n"
                   "Bonjour,\nCamille\n- un\n- deux\n"
                   "> cite sur une ligne longue de plus de quarante caracteres ici\n> et sa suite\n"
                   "Note: pas une ligne de texte\n"
                   "Ceci est une ligne assez longue pour passer pour du texte\r\nreplie.\r\n"),
              "La reunion de demain est deplacee a jeudi parce que la salle du premier etage est reservee par la "
              "direction pour toute la journee.\n\nBonjour.\nCamille.\n- un.\n- deux.\n"
              "> cite sur une ligne longue de plus de quarante caracteres ici et sa suite.\n"
              "Note: pas une ligne de texte\n"
              "Ceci est une ligne assez longue pour passer pour du texte replie.\r\n");
}
