#pragma once

#include <QByteArray>
#include <QStringView>

namespace kestrune::text {

// Text to the GBK code page, the encoding of every text file the survey
// programs exchange (check reports, upload texts). A character GBK lacks
// becomes "?". The converter is set up once and reused for every line.
class GbkEncoder {
public:
    GbkEncoder(); // throws TextCodecError when the system has no GBK converter
    ~GbkEncoder();
    GbkEncoder(const GbkEncoder&) = delete;
    GbkEncoder& operator=(const GbkEncoder&) = delete;

    QByteArray encode(QStringView text); // throws TextCodecError

private:
    void* converter_; // iconv_t
};

} // namespace kestrune::text
