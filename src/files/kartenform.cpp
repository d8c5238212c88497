#include "files/kartenform.h"

#include <QStringDecoder>
#include <algorithm>
#include <array>
#include <optional>

namespace tarvello {

namespace {

// Town names of map files written on Windows are in Windows-1252: the
// characters of bytes 0x80..0x9F. The five bytes the code page leaves free
// stand for the control characters of the same number, so that every byte
// reads as a character and writes back as itself.
constexpr std::array<char16_t, 32> windows1252_80_9f = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString aus_windows1252(const QByteArray& roh) {
    QString s;
    s.reserve(roh.size());
    for (const char c : roh) {
        const auto b = static_cast<unsigned char>(c);
        s.append(QChar(b >= 0x80 && b < 0xA0 ? windows1252_80_9f[b - 0x80] : char16_t{b}));
    }
    return s;
}

// The Windows-1252 bytes of the text, or nothing when a character has none.
std::optional<QByteArray> nach_windows1252(const QString& text) {
    QByteArray roh;
    roh.reserve(text.size());
    for (const QChar q : text) {
        const char16_t c = q.unicode();
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            roh.append(static_cast<char>(c));
            continue;
        }
        const auto* p = std::find(windows1252_80_9f.begin(), windows1252_80_9f.end(), c);
        if (p == windows1252_80_9f.end()) return std::nullopt;
        roh.append(static_cast<char>(0x80 + (p - windows1252_80_9f.begin())));
    }
    return roh;
}

// The text of bytes that are valid UTF-8 (a leading byte order mark kept as
// a character), or nothing.
std::optional<QString> aus_utf8(const QByteArray& roh) {
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8.decode(roh);
    // Whatever the decoder forgives, only bytes that come back unchanged count.
    if (utf8.hasError() || text.toUtf8() != roh) return std::nullopt;
    return text;
}

} // namespace

QString stadtname_lesen(const QByteArray& roh) {
    if (std::optional<QString> text = aus_utf8(roh)) return *text;
    return aus_windows1252(roh);
}

QByteArray stadtname_schreiben(const QString& name) {
    if (std::optional<QByteArray> roh = nach_windows1252(name))
        if (stadtname_lesen(*roh) == name) return *roh;
    return name.toUtf8();
}

} // namespace tarvello
