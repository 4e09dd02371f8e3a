#include "Workbook.h"

#include "BlankWorkbook.h"
#include "PackageIndex.h"
#include "WorkbookData.h"
#include "XmlParts.h"

#include <QSaveFile>

namespace kestrune::workbook {

using namespace detail;

namespace {

constexpr const char* kWorksheetType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml";
constexpr const char* kWorkbookType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml";
constexpr const char* kStylesType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml";
constexpr const char* kSharedStringsType =
    "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml";

QByteArray RequiredPart(const BookData& book, const std::string& name, const QString& origin) {
    const PackagePart* part = FindPart(book.parts, name);
    if (part == nullptr)
        throw WorkbookError(QStringLiteral("%1 不是工作簿文件（缺少 %2）")
                                .arg(origin, QString::fromStdString(name)));
    return part->bytes;
}

std::string WorkbookRelationshipsPart(const BookData& book) {
    return RelationshipsPartOf(book.workbookPart);
}

std::unique_ptr<SheetData> LoadSheet(BookData& book, const QString& name,
                                     const std::string& partName, const QByteArray& bytes) {
    auto sheet = std::make_unique<SheetData>();
    sheet->book = &book;
    sheet->name = name;
    sheet->partName = partName;
    ParseXmlPart(sheet->document, bytes, partName);
    LoadSheetCells(*sheet);
    return sheet;
}

// Formulas are about to change: the calculation order Excel saved would be
// stale (a repair prompt), so it goes, and every formula is recalculated when
// the file opens.
void PrepareForChanges(BookData& book) {
    pugi::xml_node root = book.workbook.child("workbook");
    SetAttribute(ChildInOrder(root, "calcPr", KESTRUNE_WORKBOOK_ORDER), "fullCalcOnLoad", "1");
    if (pugi::xml_node chain = RelationshipOfKind(book.workbookRelationships, "calcChain")) {
        const std::string part =
            ResolvePartName(book.workbookPart, chain.attribute("Target").value());
        RemovePart(book.parts, part);
        RemoveContentType(book.contentTypes, part);
        book.workbookRelationships.child("Relationships").remove_child(chain);
    }
    // A template's content saved as a workbook must say it is one.
    SetContentType(book.contentTypes, book.workbookPart, kWorkbookType);
}

std::unique_ptr<BookData> LoadBook(PackageParts parts, const QString& origin) {
    auto book = std::make_unique<BookData>();
    book->parts = std::move(parts);
    ParseXmlPart(book->contentTypes, RequiredPart(*book, "[Content_Types].xml", origin),
                 "[Content_Types].xml");
    pugi::xml_document packageRelationships;
    ParseXmlPart(packageRelationships, RequiredPart(*book, "_rels/.rels", origin), "_rels/.rels");
    pugi::xml_node main = RelationshipOfKind(packageRelationships, "officeDocument");
    if (!main)
        throw WorkbookError(QStringLiteral("%1 不是工作簿文件（没有主文档）").arg(origin));
    book->workbookPart = ResolvePartName("", main.attribute("Target").value());
    ParseXmlPart(book->workbook, RequiredPart(*book, book->workbookPart, origin),
                 book->workbookPart);
    if (!book->workbook.child("workbook"))
        throw WorkbookError(QStringLiteral("%1 不是工作簿文件（主文档不是工作簿）").arg(origin));
    const std::string relationshipsPart = WorkbookRelationshipsPart(*book);
    ParseXmlPart(book->workbookRelationships, RequiredPart(*book, relationshipsPart, origin),
                 relationshipsPart);

    if (pugi::xml_node styles = RelationshipOfKind(book->workbookRelationships, "styles")) {
        book->stylesPart = ResolvePartName(book->workbookPart, styles.attribute("Target").value());
        book->styles.load(RequiredPart(*book, book->stylesPart, origin), book->stylesPart);
    } else {
        book->stylesPart = ResolvePartName(book->workbookPart, "styles.xml");
        AddRelationship(book->workbookRelationships, "styles", "styles.xml");
        SetContentType(book->contentTypes, book->stylesPart, kStylesType);
        book->styles.load(BlankStylesXml(), book->stylesPart);
    }
    if (pugi::xml_node strings = RelationshipOfKind(book->workbookRelationships, "sharedStrings")) {
        book->sharedStringsPart =
            ResolvePartName(book->workbookPart, strings.attribute("Target").value());
        book->strings.load(RequiredPart(*book, book->sharedStringsPart, origin),
                           book->sharedStringsPart);
    } else {
        book->strings.createEmpty();
    }

    for (pugi::xml_node entry :
         book->workbook.child("workbook").child("sheets").children("sheet")) {
        const QString name = Text(entry.attribute("name").value());
        pugi::xml_node relationship =
            RelationshipWithId(book->workbookRelationships, RelationshipIdOf(entry));
        if (!relationship)
            throw WorkbookError(
                QStringLiteral("%1 已损坏：找不到工作表“%2”的内容").arg(origin, name));
        if (RelationshipKind(relationship) != "worksheet")
            throw WorkbookError(
                QStringLiteral("%1 的“%2”不是普通工作表，无法处理").arg(origin, name));
        const std::string partName =
            ResolvePartName(book->workbookPart, relationship.attribute("Target").value());
        book->sheets.push_back(
            LoadSheet(*book, name, partName, RequiredPart(*book, partName, origin)));
    }
    if (book->sheets.empty())
        throw WorkbookError(QStringLiteral("%1 不是工作簿文件（没有工作表）").arg(origin));
    PrepareForChanges(*book);
    return book;
}

pugi::xml_node WorkbookView(BookData& book) {
    pugi::xml_node views =
        ChildInOrder(book.workbook.child("workbook"), "bookViews", KESTRUNE_WORKBOOK_ORDER);
    pugi::xml_node view = views.child("workbookView");
    return view ? view : views.append_child("workbookView");
}

void SelectTab(BookData& book, int index) {
    pugi::xml_node view = WorkbookView(book);
    SetAttribute(view, "activeTab", std::to_string(index));
    if (view.attribute("firstSheet").as_int() > index)
        SetAttribute(view, "firstSheet", std::to_string(index));
    for (size_t i = 0; i < book.sheets.size(); ++i) {
        pugi::xml_node root = book.sheets[i]->document.child("worksheet");
        pugi::xml_node views = ChildInOrder(root, "sheetViews", KESTRUNE_WORKSHEET_ORDER);
        pugi::xml_node sheetView = views.child("sheetView");
        if (!sheetView) {
            sheetView = views.append_child("sheetView");
            sheetView.append_attribute("workbookViewId").set_value("0");
        }
        sheetView.remove_attribute("tabSelected");
        if (static_cast<int>(i) == index)
            sheetView.prepend_attribute("tabSelected").set_value("1");
    }
}

} // namespace

Workbook::Workbook(std::unique_ptr<BookData> data) : d_(std::move(data)) {}
Workbook::Workbook(Workbook&&) noexcept = default;
Workbook& Workbook::operator=(Workbook&&) noexcept = default;
Workbook::~Workbook() = default;

Workbook Workbook::create() {
    return Workbook(LoadBook(BlankWorkbookParts(), QStringLiteral("新工作簿")));
}

Workbook Workbook::open(const QString& path) {
    return Workbook(LoadBook(ReadZipPackage(path), path));
}

int Workbook::sheetCount() const {
    return static_cast<int>(d_->sheets.size());
}

Worksheet Workbook::sheet(int number) {
    if (number < 1 || number > sheetCount())
        throw WorkbookError(QStringLiteral("工作簿中没有第 %1 张工作表").arg(number));
    return Worksheet(d_->sheets[static_cast<size_t>(number - 1)].get());
}

Worksheet Workbook::sheet(const QString& name) {
    for (const auto& sheet : d_->sheets)
        if (sheet->name.compare(name, Qt::CaseInsensitive) == 0)
            return Worksheet(sheet.get());
    throw WorkbookError(QStringLiteral("工作簿中没有名为“%1”的工作表").arg(name));
}

Worksheet Workbook::addSheet(const QString& name) {
    CheckSheetName(*d_, name, nullptr);
    int number = 1;
    std::string partName;
    do {
        partName = "xl/worksheets/sheet" + std::to_string(number++) + ".xml";
    } while (FindPart(d_->parts, partName) != nullptr ||
             std::any_of(d_->sheets.begin(), d_->sheets.end(),
                         [&](const auto& sheet) { return sheet->partName == partName; }));
    const std::string id = AddRelationship(d_->workbookRelationships, "worksheet", "/" + partName);
    SetContentType(d_->contentTypes, partName, kWorksheetType);
    pugi::xml_node sheets =
        ChildInOrder(d_->workbook.child("workbook"), "sheets", KESTRUNE_WORKBOOK_ORDER);
    int sheetId = 0;
    for (pugi::xml_node entry : sheets.children("sheet"))
        sheetId = std::max(sheetId, entry.attribute("sheetId").as_int());
    pugi::xml_node entry = sheets.append_child("sheet");
    entry.append_attribute("name").set_value(Utf8(name).c_str());
    entry.append_attribute("sheetId").set_value(sheetId + 1);
    entry.append_attribute("r:id").set_value(id.c_str());
    if (!d_->workbook.child("workbook").attribute("xmlns:r"))
        d_->workbook.child("workbook")
            .append_attribute("xmlns:r")
            .set_value("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
    d_->sheets.push_back(LoadSheet(*d_, name, partName, BlankSheetXml()));
    return Worksheet(d_->sheets.back().get());
}

void Workbook::deleteSheet(int number) {
    sheet(number); // throws for a sheet that is not there
    if (sheetCount() == 1)
        throw WorkbookError(QStringLiteral("工作簿至少要保留一张工作表"));
    const int index = number - 1;
    SheetData* data = d_->sheets[static_cast<size_t>(index)].get();
    const int active = activeSheet() - 1;

    // Names of that sheet and names pointing into it go; later sheets' names shift.
    pugi::xml_node names = d_->workbook.child("workbook").child("definedNames");
    for (pugi::xml_node name = names.first_child(); name;) {
        pugi::xml_node next = name.next_sibling();
        pugi::xml_attribute local = name.attribute("localSheetId");
        bool pointsThere = false;
        RewriteReferences(Text(name.text().get()), [&](const Reference& reference) {
            pointsThere =
                pointsThere || (!reference.external &&
                                reference.sheet.compare(data->name, Qt::CaseInsensitive) == 0);
            return std::optional<QString>();
        });
        if ((local && local.as_int() == index) || pointsThere)
            names.remove_child(name);
        else if (local && local.as_int() > index)
            local.set_value(local.as_int() - 1);
        name = next;
    }
    if (names && !names.first_child())
        d_->workbook.child("workbook").remove_child(names);
    // Formulas elsewhere that read the sheet show the error a spreadsheet shows.
    ChangeReferencesToSheet(*d_, data->name,
                            [](const Reference& reference) -> std::optional<QString> {
                                if (reference.prefix.isEmpty())
                                    return std::nullopt; // the deleted sheet's own formulas
                                return QStringLiteral("#REF!");
                            });

    pugi::xml_node sheets = d_->workbook.child("workbook").child("sheets");
    int position = 0;
    for (pugi::xml_node entry : sheets.children("sheet")) {
        if (position++ == index) {
            const std::string id = RelationshipIdOf(entry);
            d_->workbookRelationships.child("Relationships")
                .remove_child(RelationshipWithId(d_->workbookRelationships, id));
            sheets.remove_child(entry);
            break;
        }
    }
    RemovePart(d_->parts, data->partName);
    RemovePart(d_->parts, RelationshipsPartOf(data->partName));
    RemoveContentType(d_->contentTypes, data->partName);
    d_->sheets.erase(d_->sheets.begin() + index);

    const int newActive = active > index ? active - 1 : std::min(active, sheetCount() - 1);
    SelectTab(*d_, newActive);
}

int Workbook::activeSheet() const {
    const int tab = d_->workbook.child("workbook")
                        .child("bookViews")
                        .child("workbookView")
                        .attribute("activeTab")
                        .as_int();
    return std::clamp(tab, 0, sheetCount() - 1) + 1;
}

void Workbook::setActiveSheet(int number) {
    sheet(number); // throws for a sheet that is not there
    SelectTab(*d_, number - 1);
}

void Workbook::save(const QString& path) const {
    BookData& book = *d_;
    PackageParts parts = book.parts;
    for (const auto& sheet : book.sheets) {
        StoreSheetCells(*sheet, CachedSums(*sheet));
        SetPart(parts, sheet->partName, XmlPartBytes(sheet->document));
    }
    if (book.sharedStringsPart.empty() && book.strings.count() > 0) {
        book.sharedStringsPart = ResolvePartName(book.workbookPart, "sharedStrings.xml");
        AddRelationship(book.workbookRelationships, "sharedStrings", "sharedStrings.xml");
        SetContentType(book.contentTypes, book.sharedStringsPart, kSharedStringsType);
    }
    if (!book.sharedStringsPart.empty())
        SetPart(parts, book.sharedStringsPart, book.strings.bytes());
    SetPart(parts, book.stylesPart, book.styles.bytes());
    SetPart(parts, book.workbookPart, XmlPartBytes(book.workbook));
    SetPart(parts, WorkbookRelationshipsPart(book), XmlPartBytes(book.workbookRelationships));
    SetPart(parts, "[Content_Types].xml", XmlPartBytes(book.contentTypes));
    const QByteArray bytes = WriteZipPackage(parts);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw WorkbookError(QStringLiteral("无法写入工作簿 %1：%2").arg(path, file.errorString()));
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw WorkbookError(QStringLiteral("无法写入工作簿 %1：%2").arg(path, file.errorString()));
}

} // namespace kestrune::workbook
