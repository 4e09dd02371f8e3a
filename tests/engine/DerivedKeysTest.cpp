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
