#include "SharedStrings.h"

#include "XmlParts.h"

namespace kestrune::workbook {

namespace {

// XML 1.0 cannot carry most control characters; the file format writes them
// as _xHHHH_.
QString EscapedControlCharacters(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            out += QString::asprintf("_x%04X_", c.unicode());
        else
            out += c;
    }
    return out;
}

} // namespace

QString StringItemText(pugi::xml_node item) {
    if (pugi::xml_node t = item.child("t"))
        return Text(t.text().get());
    QString text;
    for (pugi::xml_node run : item.children("r"))
        text += Text(run.child("t").text().get());
    return text;
}

void WriteStringItem(pugi::xml_node item, const QString& text) {
    pugi::xml_node t = item.append_child("t");
    if (!text.isEmpty() &&
        (text.front().isSpace() || text.back().isSpace() || text.contains(u'\n')))
        t.append_attribute("xml:space").set_value("preserve");
    t.text().set(Utf8(EscapedControlCharacters(text)).c_str());
}

void SharedStrings::load(const QByteArray& bytes, const std::string& partName) {
    ParseXmlPart(document_, bytes, partName);
    for (pugi::xml_node item : document_.child("sst").children("si")) {
        texts_.push_back(StringItemText(item));
        if (!item.child("r"))
            plainIndex_.insert(texts_.back(), static_cast<int>(texts_.size()) - 1);
    }
}

void SharedStrings::createEmpty() {
    pugi::xml_node sst = document_.append_child("sst");
    sst.append_attribute("xmlns").set_value(
        "http://schemas.openxmlformats.org/spreadsheetml/2006/main");
}

QString SharedStrings::text(int index) const {
    if (index < 0 || index >= count())
        return QString();
    return texts_[static_cast<size_t>(index)];
}

int SharedStrings::add(const QString& text) {
    if (auto found = plainIndex_.constFind(text); found != plainIndex_.constEnd())
        return *found;
    WriteStringItem(document_.child("sst").append_child("si"), text);
    texts_.push_back(text);
    const int index = count() - 1;
    plainIndex_.insert(text, index);
    return index;
}

QByteArray SharedStrings::bytes() {
    pugi::xml_node sst = document_.child("sst");
    SetAttribute(sst, "count", std::to_string(count()));
    SetAttribute(sst, "uniqueCount", std::to_string(count()));
    return XmlPartBytes(document_);
}

} // namespace kestrune::workbook
