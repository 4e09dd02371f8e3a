#include "StreamedParts.h"

#include "StreamedSheetXml.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace kestrune::workbook {

namespace {

const char* const kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const kRelationships =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// The built-in number formats a spreadsheet knows by number.
int builtInFormat(const QString& format) {
    if (format.isEmpty() || format == QLatin1String("General"))
        return 0;
    if (format == QLatin1String("0"))
        return 1;
    if (format == QLatin1String("0.00"))
        return 2;
    if (format == QLatin1String("#,##0"))
        return 3;
    if (format == QLatin1String("#,##0.00"))
        return 4;
    if (format == QLatin1String("@"))
        return 49;
    return -1;
}

std::string number(double value) {
    char digits[32];
    const int length = std::snprintf(digits, sizeof digits, "%.10g", value);
    return std::string(digits, size_t(length));
}

QByteArray bytesOf(const std::string& text) {
    return QByteArray(text.data(), qsizetype(text.size()));
}

std::string StylesPart(const std::vector<CellStyle>& styles) {
    std::map<QString, int> customFormats;
    std::vector<int> formatIds;
    std::vector<int> fontIds;
    std::vector<std::pair<bool, double>> fonts{{false, 11}};
    for (const CellStyle& style : styles) {
        int id = builtInFormat(style.numberFormat);
        if (id < 0) {
            const auto found = customFormats.find(style.numberFormat);
            id = found != customFormats.end()
                     ? found->second
                     : customFormats.emplace(style.numberFormat, 164 + int(customFormats.size()))
                           .first->second;
        }
        formatIds.push_back(id);
        const std::pair<bool, double> font{style.bold, style.fontSize > 0 ? style.fontSize : 11};
        auto at = std::find(fonts.begin(), fonts.end(), font);
        if (at == fonts.end())
            at = fonts.insert(fonts.end(), font);
        fontIds.push_back(int(at - fonts.begin()));
    }
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<styleSheet xmlns=\"";
    xml += kMainNamespace;
    xml += "\">";
    if (!customFormats.empty()) {
        xml += "<numFmts count=\"" + std::to_string(customFormats.size()) + "\">";
        std::vector<std::pair<int, QString>> byId;
        for (const auto& [format, id] : customFormats)
            byId.push_back({id, format});
        std::sort(byId.begin(), byId.end());
        for (const auto& [id, format] : byId)
            xml += "<numFmt numFmtId=\"" + std::to_string(id) + "\" formatCode=\"" +
                   XmlEscaped(format) + "\"/>";
        xml += "</numFmts>";
    }
    xml += "<fonts count=\"" + std::to_string(fonts.size()) + "\">";
    for (const auto& [bold, size] : fonts) {
        xml += "<font>";
        if (bold)
            xml += "<b/>";
        xml += "<sz val=\"" + number(size) +
               "\"/><color theme=\"1\"/><name val=\"Calibri\"/><family val=\"2\"/>"
               "<scheme val=\"minor\"/></font>";
    }
    xml += "</fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border>"
           "</borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
           "borderId=\"0\"/></cellStyleXfs>";
    xml += "<cellXfs count=\"" + std::to_string(styles.size()) + "\">";
    for (size_t i = 0; i < styles.size(); ++i) {
        xml += "<xf numFmtId=\"" + std::to_string(formatIds[i]) + "\" fontId=\"" +
               std::to_string(fontIds[i]) + "\" fillId=\"0\" borderId=\"0\" xfId=\"0\"";
        if (formatIds[i] != 0)
            xml += " applyNumberFormat=\"1\"";
        if (fontIds[i] != 0)
            xml += " applyFont=\"1\"";
        xml += "/>";
    }
    xml += "</cellXfs><cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" "
           "builtinId=\"0\"/></cellStyles><dxfs count=\"0\"/><tableStyles count=\"0\"/>"
           "</styleSheet>";
    return xml;
}

std::string WorkbookPart(const QString& sheetName) {
    std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<workbook xmlns=\"";
    xml += kMainNamespace;
    xml += "\" xmlns:r=\"";
    xml += kRelationships;
    xml += "\"><bookViews><workbookView/></bookViews><sheets><sheet name=\"" +
           XmlEscaped(sheetName) + "\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
    return xml;
}

} // namespace

QByteArray SheetHead(int lastRow, int lastColumn, const std::vector<SheetColumn>& columns) {
    std::string head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"";
    head += kMainNamespace;
    head += "\" xmlns:r=\"";
    head += kRelationships;
    head += "\">";
    if (lastRow > 0 && lastColumn > 0) {
        head += "<dimension ref=\"A1:";
        AppendCellReference(head, lastRow, lastColumn);
        head += "\"/>";
    }
    head += "<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>"
            "<sheetFormatPr defaultRowHeight=\"15\"/>";
    if (!columns.empty()) {
        head += "<cols>";
        for (const SheetColumn& c : columns) {
            head += "<col min=\"" + std::to_string(c.column) + "\" max=\"" +
                    std::to_string(c.column) + "\" width=\"" + number(c.fitted ? c.width : 8.43) +
                    "\"";
            if (c.fitted)
                head += " customWidth=\"1\"";
            if (c.style > 0)
                head += " style=\"" + std::to_string(c.style) + "\"";
            head += "/>";
        }
        head += "</cols>";
    }
    head += "<sheetData>";
    return bytesOf(head);
}

std::vector<SpooledPart> StreamedWorkbookParts(const QString& sheetName,
                                               const std::vector<CellStyle>& styles,
                                               const QByteArray& sheetHead,
                                               const DeflatedSpool* rows, const QString& rowsFile) {
    const QByteArray xmlHead("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n");
    return {
        {"[Content_Types].xml",
         xmlHead + "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                   "<Default Extension=\"rels\" "
                   "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                   "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                   "<Override PartName=\"/xl/workbook.xml\" ContentType=\"application/"
                   "vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
                   "<Override PartName=\"/xl/worksheets/sheet1.xml\" ContentType=\"application/"
                   "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
                   "<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
                   "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/></Types>",
         nullptr,
         {},
         {}},
        {"_rels/.rels",
         xmlHead + "<Relationships "
                   "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                   "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
                   "officeDocument/2006/relationships/officeDocument\" Target=\"xl/workbook.xml\"/>"
                   "</Relationships>",
         nullptr,
         {},
         {}},
        {"xl/workbook.xml", bytesOf(WorkbookPart(sheetName)), nullptr, {}, {}},
        {"xl/_rels/workbook.xml.rels",
         xmlHead +
             "<Relationships "
             "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
             "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/"
             "officeDocument/2006/relationships/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
             "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/"
             "officeDocument/2006/relationships/styles\" Target=\"styles.xml\"/>"
             "</Relationships>",
         nullptr,
         {},
         {}},
        {"xl/styles.xml", bytesOf(StylesPart(styles)), nullptr, {}, {}},
        {"xl/worksheets/sheet1.xml", sheetHead, rows, rowsFile,
         "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
         "header=\"0.3\" footer=\"0.3\"/></worksheet>"},
    };
}

} // namespace kestrune::workbook
