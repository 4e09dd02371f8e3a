#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace kestrune::text {

// GBK bytes to text (the 8-bit text of the page notes). Each call decodes
// whole characters: the two bytes of a character must come in one call, and a
// lead byte left alone at the end is dropped. On a system without GBK the
// bytes are read as Latin-1, so that the text still shows.
class GbkDecoder {
public:
    GbkDecoder();

    QString decode(QByteArrayView bytes);

private:
    QStringDecoder decoder_;
};

} // namespace kestrune::text
