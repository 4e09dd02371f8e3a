#include "GbkDecoder.h"

namespace kestrune::text {

GbkDecoder::GbkDecoder() : decoder_("GBK", QStringDecoder::Flag::Stateless) {}

QString GbkDecoder::decode(QByteArrayView bytes) {
    return decoder_.isValid() ? QString(decoder_.decode(bytes)) : QString::fromLatin1(bytes);
}

} // namespace kestrune::text
