#pragma once

#include <QByteArray>
#include <QStringView>

namespace kestrune::check {

// Text to the GBK code page, the encoding of every text file the survey
// programs exchange. A character GBK lacks becomes "?". The converter is set up
// once and reused for every line.
class GbkEncoder {
public:
    GbkEncoder(); // throws ReportFileError when the system has no GBK converter
    ~GbkEncoder();
    GbkEncoder(const GbkEncoder&) = delete;
    GbkEncoder& operator=(const GbkEncoder&) = delete;

    QByteArray encode(QStringView text);

private:
    void* converter_; // iconv_t
};

} // namespace kestrune::check
