#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

namespace kestrune::entry {

// The page notes below the entry dialog's pages are rich-text files written
// for a rich-edit control. This reader understands the small RTF subset those
// files use (see data/README.md, "Page notes") and turns it into paragraphs of
// formatted runs, or into HTML for a QTextBrowser. It needs no widgets, so the
// notes are tested without a window.
//
// Read: groups, \par, \pard, \plain, \b/\b0, \fsN, \cfN with \colortbl, \tab,
// \line, \uN (N a signed 16-bit UTF-16 code unit; the \ucN fallback characters
// after it are dropped), \'hh bytes and plain 8-bit text decoded as GBK (code
// page 936; a lead byte without its second byte is dropped), the escapes \\,
// \{ and \}. Skipped: the font table, {\*...} groups and the usual non-text
// destinations. Any other control word is ignored. Malformed input (unbalanced
// braces, truncated escapes, huge numbers) yields whatever text could be read,
// never an error.

struct RtfColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RtfColour&) const = default;
};

struct RtfRun {
    QString text;
    bool bold = false;
    double pointSize = 12;           // \fsN counts half points; 12 pt is RTF's default
    std::optional<RtfColour> colour; // empty: the pane's own text colour
    bool operator==(const RtfRun&) const = default;
};

struct RtfParagraph {
    QList<RtfRun> runs; // adjacent runs always differ in formatting
    QString text() const;
};

QList<RtfParagraph> ParseRtf(const QByteArray& rtf);

// One <p> per paragraph, one <span> per run, blanks kept as written. Empty
// for no paragraphs.
QString RtfToHtml(const QList<RtfParagraph>& paragraphs);

// "TableNotesJG-07" for page 7; page 0 is the cover.
QString PageNotesName(int pageIndex);

// "<program folder>/notes/<name>.rtf".
QString NotesFilePath(const QString& name);

// A notes file read and parsed; no paragraphs when it is missing or unreadable,
// so the pane simply stays empty.
QList<RtfParagraph> ReadRtfFile(const QString& path);

// What the notes pane shows for a file: RtfToHtml of ReadRtfFile.
QString ReadNotesHtml(const QString& path);

} // namespace kestrune::entry
