// GBK and GB18030 conversion over Qt's string converters.
#include "encoding.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>

#include "platform/runtime.h"

namespace {

constexpr auto stateless = QStringConverter::Flag::Stateless;

enum class Codec { gbk, gb18030 };

// ICU knows both by name. A converter is made for each conversion: ICU's converters keep their
// error flag across resetState(), so a shared one would report an old error as a new one.
const char* codecName(Codec codec) { return codec == Codec::gbk ? "GBK" : "GB18030"; }

QStringEncoder encoderFor(Codec codec) {
    QStringEncoder encoder(codecName(codec), stateless);
    if (!encoder.isValid()) {
        fatalError("no GBK text converter");
    }
    return encoder;
}

QStringDecoder decoderFor(Codec codec) {
    QStringDecoder decoder(codecName(codec), stateless);
    if (!decoder.isValid()) {
        fatalError("no GBK text converter");
    }
    return decoder;
}

QByteArrayView viewOf(std::string_view bytes) {
    return QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string toStdString(const QByteArray& bytes) {
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

QString decodeGbk(std::string_view gbk) {
    QStringDecoder decoder = decoderFor(Codec::gbk);
    return decoder.decode(viewOf(gbk));
}

std::string encodeGbk(const QString& text) {
    QStringEncoder encoder = encoderFor(Codec::gbk);
    const QByteArray bytes = encoder.encode(text);
    return toStdString(bytes);
}

qsizetype gbkByteLength(const QString& text) {
    QStringEncoder encoder = encoderFor(Codec::gbk);
    const QByteArray bytes = encoder.encode(text);
    return encoder.hasError() ? -1 : bytes.size();
}

bool gbkCanEncode(const QString& text) { return gbkByteLength(text) >= 0; }

namespace {

// GBK has one-byte characters at 0x80 (the euro sign) and 0xFF that GB18030 lacks: a name
// composed from the byte-limited box can hold them, and they decode as in GBK. Every other byte
// goes to GB18030 in runs, cut only where such a byte starts a character. error, if given, tells
// whether a run held a broken or cut-short sequence.
QString decodeBoxBytes(std::string_view bytes, bool* error) {
    QString text;
    bool failed = false;
    std::size_t from = 0;
    std::size_t at = 0;
    const auto decodeRun = [&] {
        QStringDecoder decoder = decoderFor(Codec::gb18030);
        text += decoder.decode(viewOf(bytes.substr(from, at - from)));
        failed = failed || decoder.hasError();
    };
    while (at < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (byte == 0x80 || byte == 0xFF) {
            decodeRun();
            text += decodeGbk(bytes.substr(at, 1));
            from = ++at;
        } else if (byte < 0x80) {
            ++at;
        } else {
            // A lead byte: four bytes when a digit follows, else two.
            const bool four = at + 1 < bytes.size() && bytes[at + 1] >= '0' && bytes[at + 1] <= '9';
            at = std::min(bytes.size(), at + (four ? 4 : 2));
        }
    }
    decodeRun();
    if (error) {
        *error = failed;
    }
    return text;
}

}  // namespace

QString decodeBoxText(std::string_view bytes) {
    QString text = decodeBoxBytes(bytes, nullptr);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string encodeBoxText(const QString& text) {
    QString withCrLf = text;
    withCrLf.replace(QChar::ParagraphSeparator, QChar(u'\n'));
    // Shift+Return puts a line separator into the block: the box shows a line break there too.
    withCrLf.replace(QChar::LineSeparator, QChar(u'\n'));
    withCrLf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    // GBK's one-byte characters keep their GBK byte, whoever typed them, so that the bytes of a
    // GBK text read back as they were written; the rest goes to GB18030 in runs between them.
    static const QString oneByteCharacters = decodeGbk("\x80") + decodeGbk("\xFF");
    std::string bytes;
    qsizetype from = 0;
    const auto encodeRun = [&](qsizetype to) {
        QStringEncoder encoder = encoderFor(Codec::gb18030);
        const QByteArray run = encoder.encode(QStringView(withCrLf).sliced(from, to - from));
        bytes.append(run.constData(), static_cast<std::size_t>(run.size()));
    };
    const bool anyOneByte = std::any_of(oneByteCharacters.begin(), oneByteCharacters.end(),
                                        [&](QChar c) { return withCrLf.contains(c); });
    for (qsizetype at = 0; anyOneByte && at < withCrLf.size(); ++at) {
        const qsizetype which = oneByteCharacters.indexOf(withCrLf.at(at));
        if (which >= 0 && withCrLf.at(at) != QChar::ReplacementCharacter) {
            encodeRun(at);
            bytes += which == 0 ? '\x80' : '\xFF';
            from = at + 1;
        }
    }
    encodeRun(withCrLf.size());
    return bytes;
}

bool isWholeBoxText(std::string_view bytes) {
    bool error = false;
    decodeBoxBytes(bytes, &error);
    return !error;
}
