#pragma once

// The in-memory form of an open workbook, shared by the files of this folder.

#include "SharedStrings.h"
#include "StyleSheet.h"
#include "ZipPackage.h"

#include <QString>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <utility>
#include <vector>

namespace kestrune::workbook::detail {

using Attributes = std::vector<std::pair<std::string, std::string>>;

struct Cell {
    enum class Kind { Empty, Number, Text, Boolean, Error };
    Kind kind = Kind::Empty;
    double number = 0;
    QString text;                 // of a text or an error value
    int sharedString = -1;        // the shared string the text was read from, while unchanged
    QString formula;              // without "="
    Attributes formulaAttributes; // of an array formula ("t", "ref")
    int style = 0;
    Attributes otherAttributes; // what the cell carries besides r, s and t
};

struct Row {
    Attributes attributes; // without r and spans
    std::map<int, Cell> cells;
};

struct BookData;

struct SheetData {
    BookData* book = nullptr;
    QString name;
    std::string partName;
    pugi::xml_document document; // everything but the cells and columns
    std::map<int, Row> rows;
    std::map<int, Attributes> columns; // one entry per column, without min and max
};

struct BookData {
    PackageParts parts; // as read; the parts held below replace theirs on saving
    std::string workbookPart;
    pugi::xml_document workbook;
    pugi::xml_document workbookRelationships;
    pugi::xml_document contentTypes;
    std::string stylesPart;
    StyleSheet styles;
    std::string sharedStringsPart;
    SharedStrings strings;
    std::vector<std::unique_ptr<SheetData>> sheets;
};

// The main elements' children in the order the schema demands.
#define KESTRUNE_WORKSHEET_ORDER                                                                   \
    {                                                                                              \
        "sheetPr", "dimension", "sheetViews", "sheetFormatPr", "cols", "sheetData", "sheetCalcPr", \
            "sheetProtection", "protectedRanges", "scenarios", "autoFilter", "sortState",          \
            "dataConsolidate", "customSheetViews", "mergeCells", "phoneticPr",                     \
            "conditionalFormatting", "dataValidations", "hyperlinks", "printOptions",              \
            "pageMargins", "pageSetup", "headerFooter", "rowBreaks", "colBreaks",                  \
            "customProperties", "cellWatches", "ignoredErrors", "smartTags", "drawing",            \
            "legacyDrawing", "legacyDrawingHF", "picture", "oleObjects", "controls",               \
            "webPublishItems", "tableParts", "extLst"                                              \
    }
#define KESTRUNE_WORKBOOK_ORDER                                                                    \
    {                                                                                              \
        "fileVersion", "fileSharing", "workbookPr", "workbookProtection", "bookViews", "sheets",   \
            "functionGroups", "externalReferences", "definedNames", "calcPr", "oleSize",           \
            "customWorkbookViews", "pivotCaches", "smartTagPr", "smartTagTypes", "webPublishing",  \
            "fileRecoveryPr", "webPublishObjects", "extLst"                                        \
    }

// The cells and columns of a sheet's document read into rows and columns,
// and written back (with the sheet's extent) before saving.
void LoadSheetCells(SheetData& sheet);
void StoreSheetCells(SheetData& sheet, const std::map<std::pair<int, int>, double>& sums);

// The totals of the cells whose formula is a plain SUM over one range of
// their own sheet, keyed by (row, column); a SUM over a cell whose value is
// unknown until calculation has none.
std::map<std::pair<int, int>, double> CachedSums(const SheetData& sheet);

// Number formatting of a value as the file stores it (shortest exact form).
std::string NumberText(double value);

} // namespace kestrune::workbook::detail

#include "FormulaReferences.h"

namespace kestrune::workbook::detail {

// Passes every reference to the sheet named `sheetName` to `change`: those in
// the cells of every sheet (a reference without a sheet part points at its
// own sheet) and those in the workbook's defined names.
void ChangeReferencesToSheet(BookData& book, const QString& sheetName,
                             const ReferenceChange& change);
// The sheet's position, counted from 0 as the file's localSheetId counts.
int SheetIndex(const BookData& book, const SheetData* sheet);
// The defined name `name` of the sheet at `index` (-1: of the workbook), made when missing.
pugi::xml_node DefinedName(BookData& book, const char* name, int index);

} // namespace kestrune::workbook::detail

namespace kestrune::workbook::detail {
// WorkbookError unless `name` can name a new sheet (or `renamed` anew).
void CheckSheetName(const BookData& book, const QString& name, const SheetData* renamed);
} // namespace kestrune::workbook::detail
