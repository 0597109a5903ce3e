// The plain-text codec on arbitrary bytes. Besides crashes it checks that what the codec writes
// reads back as the same text with the same encoding and line ends, and that a document loaded
// and saved goes through without trouble.
#include "fuzz/fuzz_support.h"
#include "docformat/plain_text_codec.h"

#include <QTextDocument>

using namespace zx;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::initApp(true);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);
    const DecodedText d = PlainTextCodec::decode(input);
    ZX_FUZZ_CHECK(!d.text.contains(QLatin1Char('\r')));

    const QByteArray written = PlainTextCodec::encode(d.text, d.format);
    const DecodedText back = PlainTextCodec::decode(written);
    ZX_FUZZ_CHECK(back.text == d.text);
    ZX_FUZZ_CHECK(back.format == d.format);
    // Writing what was read again gives the same bytes.
    ZX_FUZZ_CHECK(PlainTextCodec::encode(back.text, back.format) == written);

    QTextDocument doc;
    PlainTextCodec::load(input, &doc);
    ZX_FUZZ_CHECK(PlainTextCodec::formatOf(&doc) == d.format);
    PlainTextCodec::save(&doc);
    return 0;
}
