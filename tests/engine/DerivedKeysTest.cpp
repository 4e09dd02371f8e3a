#include "schema/DerivedKeys.h"

#include <gtest/gtest.h>

using kestrune::db::MakeDatabasePassword;

TEST(DerivedKeysTest, DatabasePasswordChainsSubstitutionsThenRearranges) {
    // K->m then m->4 acts on the m just produced; Z does not occur; then
    // positions 2-4 rotate (old 4,2,3) and positions 8 and 10 change places.
    EXPECT_EQ(MakeDatabasePassword("Kx7Rune2Qb"), "4wTp9nE8Qh");
    EXPECT_EQ(kestrune::db::databasePassword(), "4wTp9nE8Qh");
    EXPECT_EQ(MakeDatabasePassword("abcdefghij"), "ad8cEfgjih");
}

TEST(DerivedKeysTest, OnlyTheFirstOccurrenceIsReplacedAndCaseMatters) {
    EXPECT_EQ(MakeDatabasePassword("eeeeeeeeee"), "Eeeeeeeeee");
    EXPECT_EQ(MakeDatabasePassword("kkkkkkkkkk"), "kkkkkkkkkk");
    EXPECT_EQ(MakeDatabasePassword(""), "");
}

TEST(DerivedKeysTest, UploadKeyChainsSubstitutionsThenExchangesPositions) {
    // L->y then y->6 acts on the y just produced; then positions 2/16 and 8/9
    // change places.
    EXPECT_EQ(kestrune::db::MakeUploadKey("Wq3nVe8TkLr5Ma2D"), "ZDxNb4cPu60shJ27");
    EXPECT_EQ(kestrune::db::uploadKey(), "ZDxNb4cPu60shJ27");
    EXPECT_EQ(kestrune::db::MakeUploadKey("abcdefghijklmnop"), "Jpcd4fZihjPlmNob");
    EXPECT_EQ(kestrune::db::MakeUploadKey("WWWWWWWWWWWWWWWW"), "ZWWWWWWWWWWWWWWW");
    EXPECT_EQ(kestrune::db::MakeUploadKey(""), "");
}
