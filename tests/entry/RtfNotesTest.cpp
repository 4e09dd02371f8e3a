#include "entry/RtfNotes.h"

#include "support/QtPrinters.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <gtest/gtest.h>
#include <ostream>

// Readable failure messages: a run with its formatting.
namespace kestrune::entry {
void PrintTo(const RtfRun& run, std::ostream* out) {
    *out << '"' << run.text.toStdString() << '"' << (run.bold ? " bold " : " ") << run.pointSize
         << "pt";
    if (run.colour)
        *out << " rgb(" << run.colour->red << ',' << run.colour->green << ',' << run.colour->blue
             << ')';
}
} // namespace kestrune::entry

using kestrune::entry::NotesFilePath;
using kestrune::entry::PageNotesName;
using kestrune::entry::ParseRtf;
using kestrune::entry::ReadNotesHtml;
using kestrune::entry::ReadRtfFile;
using kestrune::entry::RtfColour;
using kestrune::entry::RtfParagraph;
using kestrune::entry::RtfRun;
using kestrune::entry::RtfToHtml;

namespace {

const QByteArray kHeader = R"({\rtf1\ansi\ansicpg936\deff0{\fonttbl{\f0\fnil\fcharset134 SimSun;}})"
                           R"({\colortbl ;\red0\green0\blue0;\red192\green0\blue0;}\uc1)";

QStringList texts(const QList<RtfParagraph>& paragraphs) {
    QStringList result;
    for (const RtfParagraph& paragraph : paragraphs)
        result.append(paragraph.text());
    return result;
}

// The text of a snippet that holds at most one paragraph.
QString textOf(const QByteArray& rtf) {
    return texts(ParseRtf(rtf)).join(QLatin1Char('|'));
}

RtfRun run(const QString& text, bool bold, double pointSize,
           std::optional<RtfColour> colour = std::nullopt) {
    return RtfRun{text, bold, pointSize, colour};
}

} // namespace

TEST(RtfNotesTest, ParagraphsEndAtParAndLineEndsInTheFileAreNoText) {
    const auto paragraphs = ParseRtf("{\\rtf1 one\\par\r\ntw\r\no\\par\\par\\pard three}");
    EXPECT_EQ(texts(paragraphs), (QStringList{"one", "two", "", "three"}));
    EXPECT_TRUE(ParseRtf("").isEmpty());
    EXPECT_TRUE(ParseRtf(kHeader + "}").isEmpty()); // the tables hold no text
}

TEST(RtfNotesTest, BoldSizeAndColourFormRuns) {
    const auto paragraphs =
        ParseRtf(kHeader + "\\pard\\f0\\fs21\\cf1 a\\b b\\b0 c\\cf2 red\\cf0 auto "
                           "\\fs24\\cf9 x{\\b\\fs30 in}out\\b1 B\\plain p\\par}");
    ASSERT_EQ(paragraphs.size(), 1);
    const RtfColour black{0, 0, 0};
    const RtfColour red{192, 0, 0};
    EXPECT_EQ(paragraphs[0].runs,
              (QList<RtfRun>{run("a", false, 10.5, black), run("b", true, 10.5, black),
                             run("c", false, 10.5, black), run("red", false, 10.5, red),
                             // \cf0 and an index past the table are the automatic colour
                             run("auto ", false, 10.5), run("x", false, 12),
                             // a group's formatting ends with the group
                             run("in", true, 15), run("out", false, 12), run("B", true, 12),
                             run("p", false, 12)}));
}

TEST(RtfNotesTest, UnicodeEscapesAreSigned16BitUnitsWithFallbacksDropped) {
    EXPECT_EQ(textOf("\\u-27541?"), QString::fromUtf8("鑫")); // U+946B
    EXPECT_EQ(textOf("\\u24037?\\u-30616?1"), QString::fromUtf8("工表1"));
    EXPECT_EQ(textOf("\\u-10179?\\u-8704?"), QString::fromUtf8("😀")); // a surrogate pair
    // \ucN sets how many fallback characters follow; \'hh and control words count one each.
    EXPECT_EQ(textOf("\\uc2\\u20320\\'c4\\'e3x"), QString::fromUtf8("你x"));
    EXPECT_EQ(textOf("\\uc1\\u20320\\'3fx\\u22909\\line y"), QString::fromUtf8("你x好y"));
    EXPECT_EQ(textOf("\\uc0\\u-30616 x"), QString::fromUtf8("表x"));
    // A group's end cuts the fallback short, and \uc ends with its group.
    EXPECT_EQ(textOf("{\\uc3\\u24037?}zz\\u20250??"), QString::fromUtf8("工zz会?"));
}

TEST(RtfNotesTest, HexBytesAndPlainBytesDecodeAsGbk) {
    EXPECT_EQ(textOf("\\'c4\\'e3\\'ba\\'c3"), QString::fromUtf8("你好"));
    EXPECT_EQ(textOf("a\\'c4\\'E3b\\'41"), QString::fromUtf8("a你bA"));
    EXPECT_EQ(textOf("\xc4\xe3\\'ba\xc3"),
              QString::fromUtf8("你好")); // raw and escaped bytes pair up
}

TEST(RtfNotesTest, EscapedSymbolsAreText) {
    EXPECT_EQ(textOf("{a\\\\b\\{c\\}d}"), "a\\b{c}d");
    EXPECT_EQ(textOf("a\\~b\\-c"), QString::fromUtf8("a\u00a0bc"));
    EXPECT_EQ(textOf("a\\tab b"), "a\tb");
}

TEST(RtfNotesTest, UnknownControlWordsAndDestinationsAreIgnored) {
    const QByteArray rtf = "{\\rtf1\\ansi\\ansicpg936\\deff0\\nouicompat"
                           "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
                           "{\\*\\generator Riched20 10.0.19041}{\\info{\\author Somebody}}"
                           "{\\stylesheet{\\s0 Normal;}}\\viewkind4\\uc1"
                           "\\pard\\sa200\\sl276\\slmult1\\lang2052\\f0\\fs22 Text \\kerning2 more"
                           "{\\*\\unknowndestination hidden {nested} text}\\par}";
    EXPECT_EQ(texts(ParseRtf(rtf)), QStringList{"Text more"});
}

TEST(RtfNotesTest, MalformedInputGivesWhatCanBeRead) {
    EXPECT_EQ(textOf("{\\rtf1 abc"), "abc"); // never closed
    EXPECT_EQ(textOf("}}abc{\\b"), "abc");   // stray and unclosed braces
    EXPECT_EQ(textOf("abc\\"), "abc");       // a backslash at the end
    EXPECT_EQ(textOf("a\\'c"), "a");         // truncated \'hh
    EXPECT_EQ(textOf("a\\'"), "a");
    EXPECT_EQ(textOf("a\\'zz"), "azz"); // no hex digits: nothing decoded
    // A GBK lead byte whose second byte never comes is dropped.
    EXPECT_EQ(textOf("a\\'c4\\b b"), "ab");
    EXPECT_EQ(textOf("a\\u"), "a");                           // \u without its number
    EXPECT_EQ(textOf("a\\u24037"), QString::fromUtf8("a工")); // fallback cut off by the end
    EXPECT_EQ(textOf("a{\\uc99999\\u24037 abc}d"), QString::fromUtf8("a工d"));
    EXPECT_EQ(textOf("{\\fonttbl{\\f0 x;}"), "");       // an unclosed skipped group hides the rest
    EXPECT_EQ(textOf(QByteArray("a\0b\x01", 4)), "ab"); // control bytes are no text

    const auto huge = ParseRtf("\\fs99999999999999999999 x\\u99999999999999999999?");
    ASSERT_EQ(huge.size(), 1);
    EXPECT_EQ(huge[0].runs[0].pointSize, 1638);
    EXPECT_EQ(huge[0].text().size(), 2);

    const auto clamped = ParseRtf("{\\colortbl;\\red300\\green-5\\blue7;}\\cf1 x");
    ASSERT_EQ(clamped.size(), 1);
    EXPECT_EQ(clamped[0].runs[0].colour, (RtfColour{255, 0, 7}));
}

TEST(RtfNotesTest, HtmlHasOneParagraphPerParagraphAndOneSpanPerRun) {
    EXPECT_EQ(RtfToHtml(ParseRtf(kHeader + "\\pard\\fs24\\cf2\\b A  <b>&\\b0\\par"
                                           "\\pard\\fs21\\cf0 x\\line y\\par}")),
              "<p style=\"margin-top:0; margin-bottom:4px; white-space:pre-wrap\">"
              "<span style=\"font-size:12pt; font-weight:bold; color:#c00000\">"
              "A  &lt;b&gt;&amp;</span></p>\n"
              "<p style=\"margin-top:0; margin-bottom:4px; white-space:pre-wrap\">"
              "<span style=\"font-size:10.5pt\">x<br/>y</span></p>\n");
    EXPECT_EQ(RtfToHtml({}), "");
}

TEST(RtfNotesTest, NotesFilesAreNamedByPageInTheProgramFolder) {
    EXPECT_EQ(PageNotesName(0), "TableNotesJG-00");
    EXPECT_EQ(PageNotesName(7), "TableNotesJG-07");
    EXPECT_EQ(PageNotesName(13), "TableNotesJG-13");

    kestrune::testing::TestEnvironment environment;
    EXPECT_EQ(NotesFilePath(PageNotesName(7)),
              QDir(environment.programFolder()).filePath("notes/TableNotesJG-07.rtf"));
    // The private program folder has no notes: the pane stays empty.
    EXPECT_TRUE(ReadRtfFile(NotesFilePath("TableNotesJG-07")).isEmpty());
    EXPECT_EQ(ReadNotesHtml(NotesFilePath("TableNotesJG-07")), "");
}

TEST(RtfNotesTest, EveryInstalledNotesFileReadsToChineseText) {
    for (int page = 0; page < 14; ++page) {
        SCOPED_TRACE(page);
        const auto paragraphs = ReadRtfFile(
            kestrune::testing::builtProgramFile("notes/" + PageNotesName(page) + ".rtf"));
        ASSERT_GE(paragraphs.size(), 5);
        const RtfParagraph& heading = paragraphs[0];
        ASSERT_EQ(heading.runs.size(), 1);
        EXPECT_TRUE(heading.runs[0].bold);
        EXPECT_EQ(heading.runs[0].pointSize, 12);
        EXPECT_TRUE(heading.text().endsWith(QString::fromUtf8("填写说明")))
            << heading.text().toStdString();
        for (const RtfParagraph& paragraph : paragraphs) {
            EXPECT_FALSE(paragraph.text().isEmpty());
            // A leaked fallback or escape would show as "?" or "\".
            EXPECT_FALSE(paragraph.text().contains(QLatin1Char('?')))
                << paragraph.text().toStdString();
            EXPECT_FALSE(paragraph.text().contains(QLatin1Char('\\')))
                << paragraph.text().toStdString();
        }
        EXPECT_FALSE(ReadNotesHtml(kestrune::testing::builtProgramFile(
                                       "notes/" + PageNotesName(page) + ".rtf"))
                         .isEmpty());
    }
}

TEST(RtfNotesTest, InstalledNotesKeepBoldFieldNamesAndRedWarnings) {
    const auto page1 =
        ReadRtfFile(kestrune::testing::builtProgramFile("notes/TableNotesJG-01.rtf"));
    ASSERT_GE(page1.size(), 8);
    const RtfColour black{0, 0, 0};
    EXPECT_EQ(page1[0].runs,
              (QList<RtfRun>{run(QString::fromUtf8("表1  工会组织建设及民主参与状况  填写说明"),
                                 true, 12, black)}));
    EXPECT_EQ(page1[5].runs,
              (QList<RtfRun>{
                  run(QString::fromUtf8("封面填报状态（c907）为3及以上的单位只报封面，本表不填。"),
                      false, 10.5, RtfColour{192, 0, 0})}));
    EXPECT_EQ(page1[7].runs,
              (QList<RtfRun>{
                  run("z001", true, 10.5, black),
                  run(QString::fromUtf8(" 本级工会的专职工会干部人数（人）；"), false, 10.5, black),
                  run("z002", true, 10.5, black),
                  run(QString::fromUtf8(" 其中的女性人数。"), false, 10.5, black)}));
}
