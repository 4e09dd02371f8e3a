#include "EntryLayout.h"

#include <QFile>
#include <stdexcept>

// Resources are registered outside any namespace.
static void registerEntryResources() {
    Q_INIT_RESOURCE(entry);
}

namespace kestrune::entry {

namespace {

const QChar kColon(0xFF1A); // ：

QString groupPart(const QString& hint) {
    const qsizetype at = hint.indexOf(kColon);
    if (at <= 0)
        return QString();
    const QString part = hint.left(at);
    return part == QStringLiteral("其中") ? QString() : part;
}

} // namespace

QStringList EntryPage::fields() const {
    QStringList names;
    for (const EntrySection& section : sections)
        for (const QStringList& row : section.rows)
            names += row;
    return names;
}

std::vector<EntryPage> ParseEntryPages(const QString& text) {
    std::vector<EntryPage> pages;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed().isEmpty() ? QString() : raw;
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString word = line.section(QLatin1Char(' '), 0, 0);
        const QString rest = line.section(QLatin1Char(' '), 1);
        if (word == QLatin1String("page")) {
            EntryPage page;
            page.index = rest.section(QLatin1Char(' '), 0, 0).toInt();
            page.tabCaption = rest.section(QLatin1Char(' '), 1).trimmed();
            pages.push_back(page);
            continue;
        }
        if (pages.empty())
            throw std::runtime_error("entry pages: a line before the first page");
        EntryPage& page = pages.back();
        if (word == QLatin1String("title")) {
            // A title after rows starts the page's next table.
            if (page.sections.empty() || !page.sections.back().rows.empty())
                page.sections.emplace_back();
            page.sections.back().titleLines << rest;
        } else if (word == QLatin1String("row")) {
            if (page.sections.empty())
                page.sections.emplace_back();
            page.sections.back().rows.push_back(rest.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        } else {
            throw std::runtime_error("entry pages: unknown line " + line.toStdString());
        }
    }
    return pages;
}

const std::vector<EntryPage>& EntryPages() {
    static const std::vector<EntryPage> pages = [] {
        registerEntryResources();
        QFile file(QStringLiteral(":/entry/EntryPages.txt"));
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("the entry pages resource is missing");
        return ParseEntryPages(QString::fromUtf8(file.readAll()));
    }();
    return pages;
}

QString ShownTabCaption(const QString& caption) {
    QString shown = caption;
    shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
    return shown;
}

QString CaptionLines(const QString& caption, int width) {
    QString words = caption;
    QString unit;
    const qsizetype open = words.lastIndexOf(QLatin1Char('('));
    if (open > 0 && words.endsWith(QLatin1Char(')'))) {
        unit = words.mid(open);
        words = words.left(open);
    }
    QStringList lines;
    for (qsizetype at = 0; at < words.size(); at += width)
        lines << words.mid(at, width);
    if (!unit.isEmpty())
        lines << unit;
    return lines.join(QLatin1Char('\n'));
}

RowCaptions GroupRowCaptions(const QStringList& hints) {
    RowCaptions result;
    result.boxCaptions = hints;
    for (int i = 0; i < hints.size();) {
        const QString part = groupPart(hints[i]);
        int j = i + 1;
        while (!part.isEmpty() && j < hints.size() && groupPart(hints[j]) == part)
            ++j;
        if (j - i >= 2) {
            result.groups.push_back({i, j - i, part});
            for (int k = i; k < j; ++k)
                result.boxCaptions[k] = hints[k].mid(part.size() + 1);
        }
        i = j;
    }
    return result;
}

} // namespace kestrune::entry
