#include "RtfNotes.h"

#include "shell/ProgramFolder.h"
#include "text/GbkDecoder.h"

#include <QFile>
#include <algorithm>
#include <iterator>
#include <utility>

namespace kestrune::entry {

namespace {

enum class Destination { Text, ColourTable, Skipped };

// Character formatting and destination: saved at "{", restored at "}".
struct GroupState {
    Destination destination = Destination::Text;
    bool bold = false;
    int halfPoints = 24;
    int colourIndex = 0; // 0: the automatic colour
    int fallbackCount = 1;
};

// Groups whose content is no text of the document. Word writes many more; these
// are the ones that would otherwise leak names or data into the pane.
const char* const kSkippedDestinations[] = {
    "fonttbl", "filetbl",   "stylesheet", "listtable",    "listoverridetable",
    "revtbl",  "rsidtbl",   "info",       "pict",         "object",
    "fldinst", "themedata", "datastore",  "latentstyles", "colorschememapping",
    "header",  "headerl",   "headerr",    "footer",       "footerl",
    "footerr", "footnote"};

// Parameters are clamped so that absurd numbers in a damaged file cannot overflow.
constexpr qint64 kParameterLimit = 1'000'000'000;
constexpr int kLargestHalfPoints = 3276; // 1638 pt, the largest size Word accepts

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexValue(char c) {
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

struct ControlWord {
    QByteArray name;
    std::optional<int> parameter;
};

class RtfReader {
public:
    explicit RtfReader(const QByteArray& rtf) : in_(rtf) {}

    QList<RtfParagraph> read();

private:
    bool atEnd() const { return pos_ >= in_.size(); }
    char peek(qsizetype ahead = 0) const {
        return pos_ + ahead < in_.size() ? in_.at(pos_ + ahead) : '\0';
    }

    void openGroup();
    void closeGroup();
    void readEscape();
    ControlWord readControlWord();
    void applyControlWord(const ControlWord& word);
    void applyColourComponent(const ControlWord& word);
    void readHexByte();
    void skipFallback();
    void appendByte(char byte);
    void appendText(const QString& text);
    void flushBytes();
    void endParagraph();

    const QByteArray& in_;
    qsizetype pos_ = 0;
    text::GbkDecoder gbk_;
    GroupState state_;
    QList<GroupState> enclosing_;
    QByteArray pendingBytes_; // text bytes waiting to be decoded as GBK together
    QList<std::optional<RtfColour>> colours_;
    RtfColour nextColour_;
    bool nextColourGiven_ = false;
    RtfParagraph paragraph_;
    QList<RtfParagraph> paragraphs_;
};

QList<RtfParagraph> RtfReader::read() {
    while (!atEnd()) {
        const char c = in_.at(pos_);
        if (c == '\\') {
            ++pos_;
            readEscape();
            continue;
        }
        ++pos_;
        if (c == '{') {
            openGroup();
        } else if (c == '}') {
            closeGroup();
        } else if (c == '\r' || c == '\n') {
            // Line ends in the file are layout of the file, not of the text.
        } else if (state_.destination == Destination::ColourTable) {
            if (c == ';') {
                colours_.append(nextColourGiven_ ? std::optional(nextColour_) : std::nullopt);
                nextColour_ = {};
                nextColourGiven_ = false;
            }
        } else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t') {
            appendByte(c);
        }
    }
    flushBytes();
    if (!paragraph_.runs.isEmpty())
        paragraphs_.append(paragraph_); // a last paragraph without its \par
    return paragraphs_;
}

void RtfReader::openGroup() {
    flushBytes();
    enclosing_.append(state_);
}

void RtfReader::closeGroup() {
    flushBytes();
    if (!enclosing_.isEmpty()) // a stray "}" is ignored
        state_ = enclosing_.takeLast();
}

void RtfReader::readEscape() {
    const char c = peek();
    if (isLetter(c)) {
        const ControlWord word = readControlWord();
        flushBytes();
        applyControlWord(word);
        return;
    }
    if (atEnd())
        return;
    ++pos_;
    switch (c) {
    case '\'':
        readHexByte();
        break;
    case '\\':
    case '{':
    case '}':
        appendByte(c);
        break;
    case '*':
        // {\*\word ...}: a destination a reader may skip when it does not know it.
        flushBytes();
        state_.destination = Destination::Skipped;
        break;
    case '~':
        appendText(QString(QChar(0x00A0)));
        break;
    case '_':
        appendText(QString(QChar(0x2011)));
        break;
    case '\r':
    case '\n':
        endParagraph(); // a backslash before a line end is an old way to write \par
        break;
    default:
        break; // \- (optional hyphen), \: and the like show nothing
    }
}

ControlWord RtfReader::readControlWord() {
    ControlWord word;
    while (isLetter(peek()))
        word.name.append(in_.at(pos_++));
    const bool negative = peek() == '-' && isDigit(peek(1));
    if (negative)
        ++pos_;
    if (isDigit(peek())) {
        qint64 value = 0;
        while (isDigit(peek()))
            value = std::min(value * 10 + (in_.at(pos_++) - '0'), kParameterLimit);
        word.parameter = int(negative ? -value : value);
    }
    if (peek() == ' ')
        ++pos_; // the delimiter belongs to the control word
    return word;
}

void RtfReader::applyControlWord(const ControlWord& word) {
    const QByteArray& name = word.name;
    if (state_.destination == Destination::ColourTable) {
        applyColourComponent(word);
        return;
    }
    if (state_.destination == Destination::Skipped)
        return;
    if (name == "colortbl") {
        state_.destination = Destination::ColourTable;
    } else if (std::find(std::begin(kSkippedDestinations), std::end(kSkippedDestinations), name) !=
               std::end(kSkippedDestinations)) {
        state_.destination = Destination::Skipped;
    } else if (name == "par") {
        endParagraph();
    } else if (name == "plain") {
        state_.bold = false;
        state_.halfPoints = 24;
        state_.colourIndex = 0;
    } else if (name == "b") {
        state_.bold = word.parameter.value_or(1) != 0;
    } else if (name == "fs") {
        const int halfPoints = word.parameter.value_or(24);
        if (halfPoints > 0)
            state_.halfPoints = std::min(halfPoints, kLargestHalfPoints);
    } else if (name == "cf") {
        state_.colourIndex = word.parameter.value_or(0);
    } else if (name == "uc") {
        if (word.parameter.value_or(-1) >= 0)
            state_.fallbackCount = *word.parameter;
    } else if (name == "u") {
        if (!word.parameter)
            return;
        // N is the UTF-16 code unit as a signed 16-bit number: -27541 is U+946B.
        appendText(QString(QChar(char16_t(*word.parameter & 0xFFFF))));
        skipFallback();
    } else if (name == "tab") {
        appendText(QStringLiteral("\t"));
    } else if (name == "line") {
        appendText(QStringLiteral("\n"));
    }
}

void RtfReader::applyColourComponent(const ControlWord& word) {
    const int value = std::clamp(word.parameter.value_or(0), 0, 255);
    if (word.name == "red")
        nextColour_.red = value;
    else if (word.name == "green")
        nextColour_.green = value;
    else if (word.name == "blue")
        nextColour_.blue = value;
    else
        return;
    nextColourGiven_ = true;
}

void RtfReader::readHexByte() {
    const int high = hexValue(peek());
    const int low = high < 0 ? -1 : hexValue(peek(1));
    if (low < 0) {
        // A truncated \'h: drop it, keep reading from the next character.
        if (high >= 0)
            ++pos_;
        return;
    }
    pos_ += 2;
    appendByte(char(high * 16 + low));
}

// After \uN come \ucN characters for readers without Unicode; each plain
// character, \'hh or control word counts as one. A brace ends them early.
void RtfReader::skipFallback() {
    for (int skipped = 0; skipped < state_.fallbackCount && !atEnd();) {
        const char c = peek();
        if (c == '{' || c == '}')
            return;
        if (c == '\r' || c == '\n') {
            ++pos_;
            continue;
        }
        ++skipped;
        ++pos_;
        if (c != '\\')
            continue;
        if (isLetter(peek()))
            readControlWord();
        else if (peek() == '\'')
            pos_ = std::min(pos_ + 3, in_.size());
        else if (!atEnd())
            ++pos_;
    }
}

void RtfReader::appendByte(char byte) {
    if (state_.destination == Destination::Text)
        pendingBytes_.append(byte);
}

// Bytes are decoded together so that the two bytes of a GBK character pair up
// even when written as two \'hh escapes.
void RtfReader::flushBytes() {
    if (pendingBytes_.isEmpty())
        return;
    const QByteArray bytes = std::exchange(pendingBytes_, {});
    appendText(gbk_.decode(bytes));
}

void RtfReader::appendText(const QString& text) {
    if (state_.destination != Destination::Text || text.isEmpty())
        return;
    flushBytes();
    RtfRun run;
    run.bold = state_.bold;
    run.pointSize = state_.halfPoints / 2.0;
    if (state_.colourIndex > 0 && state_.colourIndex < colours_.size())
        run.colour = colours_.at(state_.colourIndex);
    if (!paragraph_.runs.isEmpty()) {
        RtfRun& last = paragraph_.runs.last();
        if (last.bold == run.bold && last.pointSize == run.pointSize && last.colour == run.colour) {
            last.text += text;
            return;
        }
    }
    run.text = text;
    paragraph_.runs.append(run);
}

void RtfReader::endParagraph() {
    flushBytes();
    paragraphs_.append(std::exchange(paragraph_, {}));
}

QString colourName(const RtfColour& colour) {
    return QString::asprintf("#%02x%02x%02x", colour.red, colour.green, colour.blue);
}

} // namespace

QString RtfParagraph::text() const {
    QString result;
    for (const RtfRun& run : runs)
        result += run.text;
    return result;
}

QList<RtfParagraph> ParseRtf(const QByteArray& rtf) {
    return RtfReader(rtf).read();
}

QString RtfToHtml(const QList<RtfParagraph>& paragraphs) {
    QString html;
    for (const RtfParagraph& paragraph : paragraphs) {
        // pre-wrap keeps the double blanks that separate a heading's parts.
        html +=
            QStringLiteral("<p style=\"margin-top:0; margin-bottom:4px; white-space:pre-wrap\">");
        for (const RtfRun& run : paragraph.runs) {
            QString style = QStringLiteral("font-size:%1pt").arg(run.pointSize);
            if (run.bold)
                style += QStringLiteral("; font-weight:bold");
            if (run.colour)
                style += QStringLiteral("; color:") + colourName(*run.colour);
            QString text = run.text.toHtmlEscaped();
            text.replace(QLatin1Char('\n'), QStringLiteral("<br/>"));
            html += QStringLiteral("<span style=\"%1\">%2</span>").arg(style, text);
        }
        html += QStringLiteral("</p>\n");
    }
    return html;
}

QString PageNotesName(int pageIndex) {
    return QStringLiteral("TableNotesJG-%1").arg(pageIndex, 2, 10, QLatin1Char('0'));
}

QString NotesFilePath(const QString& name) {
    return shell::programFile(QStringLiteral("notes/") + name + QStringLiteral(".rtf"));
}

QList<RtfParagraph> ReadRtfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseRtf(file.readAll());
}

QString ReadNotesHtml(const QString& path) {
    return RtfToHtml(ReadRtfFile(path));
}

} // namespace kestrune::entry
