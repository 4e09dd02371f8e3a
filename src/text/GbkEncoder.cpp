#include "GbkEncoder.h"

#include "TextCodecError.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace kestrune::text {

namespace {

const iconv_t kNoConverter = iconv_t(-1);

// The length of the UTF-8 sequence that a lead byte starts.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    return 4;
}

} // namespace

GbkEncoder::GbkEncoder() : converter_(iconv_open("GBK", "UTF-8")) {
    if (iconv_t(converter_) == kNoConverter)
        throw TextCodecError(QStringLiteral("系统不支持GBK编码"));
}

GbkEncoder::~GbkEncoder() {
    iconv_close(iconv_t(converter_));
}

QByteArray GbkEncoder::encode(QStringView text) {
    QByteArray input = text.toUtf8();
    // No GBK text is longer than the UTF-8 text it comes from; the room to
    // spare is only a guard.
    QByteArray output(input.size() * 2 + 16, Qt::Uninitialized);
    char* in = input.data();
    size_t inLeft = size_t(input.size());
    char* out = output.data();
    size_t outLeft = size_t(output.size());
    iconv(iconv_t(converter_), nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (iconv(iconv_t(converter_), &in, &inLeft, &out, &outLeft) != size_t(-1))
            break;
        if (errno != EILSEQ && errno != EINVAL)
            throw TextCodecError(QStringLiteral("无法转换为GBK编码：") + text.toString());
        // A character without a GBK code: write "?" in its place and go on.
        const size_t skip = std::min(size_t(sequenceLength(uchar(*in))), inLeft);
        in += skip;
        inLeft -= skip;
        *out++ = '?';
        --outLeft;
    }
    output.truncate(qsizetype(out - output.data()));
    return output;
}

} // namespace kestrune::text
