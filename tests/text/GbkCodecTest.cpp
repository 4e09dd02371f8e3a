#include "text/GbkDecoder.h"
#include "text/GbkEncoder.h"

#include <gtest/gtest.h>

using namespace kestrune::text;

namespace {

// 工会 in GBK.
const QByteArray kUnion("\xB9\xA4\xBB\xE1", 4);

TEST(GbkCodecTest, EncodesChineseAndAsciiAndMarksWhatGbkLacks) {
    GbkEncoder encoder;
    EXPECT_EQ(encoder.encode(u"工会"), kUnion);
    EXPECT_EQ(encoder.encode(u"c901=12"), QByteArray("c901=12"));
    EXPECT_EQ(encoder.encode(u""), QByteArray());
    // An emoji and a Hangul syllable have no GBK code; the line goes on after them.
    EXPECT_EQ(encoder.encode(QString::fromUtf8("a\xF0\x9F\x98\x80\xEA\xB0\x80"
                                               "b")),
              QByteArray("a??b"));
    // The converter is reused: a line after a marked one is whole.
    EXPECT_EQ(encoder.encode(u"工会"), kUnion);
}

TEST(GbkCodecTest, DecodesWholeCharactersAndDropsAHalfOne) {
    GbkDecoder decoder;
    EXPECT_EQ(decoder.decode(kUnion + "12"), QStringLiteral("工会12"));
    // A lead byte left without its second byte at the end is dropped.
    EXPECT_EQ(decoder.decode(QByteArray("a\xB9", 2)), QStringLiteral("a"));
    // No state carries over from one call to the next.
    EXPECT_EQ(decoder.decode(kUnion), QStringLiteral("工会"));
}

} // namespace
