#include "render/pngschreiber.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <vector>

namespace tarvello {

namespace {

// The compressed data goes out in chunks of at most this many bytes.
constexpr std::size_t chunk_groesse = 1 << 16;

void gross_endian(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}

// One chunk: length, type, data and the CRC over type and data.
bool chunk_schreiben(QIODevice& ziel, const char* typ, const std::uint8_t* daten,
                     std::size_t laenge) {
    std::uint8_t kopf[8];
    gross_endian(kopf, static_cast<std::uint32_t>(laenge));
    for (int i = 0; i < 4; ++i)
        kopf[4 + i] = static_cast<std::uint8_t>(typ[i]);
    uLong crc = crc32(0L, kopf + 4, 4);
    if (laenge > 0) crc = crc32(crc, daten, static_cast<uInt>(laenge));
    std::uint8_t ende[4];
    gross_endian(ende, static_cast<std::uint32_t>(crc));
    const auto n = static_cast<qint64>(laenge);
    return ziel.write(reinterpret_cast<const char*>(kopf), 8) == 8 &&
           (n == 0 || ziel.write(reinterpret_cast<const char*>(daten), n) == n) &&
           ziel.write(reinterpret_cast<const char*>(ende), 4) == 4;
}

// The deflate stream, freed however the writing ends.
struct Deflater {
    z_stream z{};
    bool bereit = false;
    Deflater() { bereit = deflateInit(&z, 1) == Z_OK; }
    ~Deflater() {
        if (bereit) deflateEnd(&z);
    }
    Deflater(const Deflater&) = delete;
    Deflater& operator=(const Deflater&) = delete;
};

} // namespace

bool png_schreiben(QIODevice& ziel, const QImage& bild) {
    if (bild.isNull()) return false;
    const QImage rgb =
        bild.format() == QImage::Format_RGB32 ? bild : bild.convertToFormat(QImage::Format_RGB32);
    if (rgb.isNull()) return false;
    const int breite = rgb.width(), hoehe = rgb.height();
    Deflater d;
    if (!d.bereit) return false;

    static constexpr std::uint8_t signatur[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (ziel.write(reinterpret_cast<const char*>(signatur), 8) != 8) return false;
    std::uint8_t kopf[13];
    gross_endian(kopf, static_cast<std::uint32_t>(breite));
    gross_endian(kopf + 4, static_cast<std::uint32_t>(hoehe));
    kopf[8] = 8;  // bits per channel
    kopf[9] = 2;  // RGB
    kopf[10] = 0; // deflate
    kopf[11] = 0; // adaptive filtering, each row saying its filter
    kopf[12] = 0; // not interlaced
    if (!chunk_schreiben(ziel, "IHDR", kopf, sizeof kopf)) return false;
    if (rgb.dotsPerMeterX() > 0 || rgb.dotsPerMeterY() > 0) {
        std::uint8_t phys[9];
        gross_endian(phys, static_cast<std::uint32_t>(rgb.dotsPerMeterX()));
        gross_endian(phys + 4, static_cast<std::uint32_t>(rgb.dotsPerMeterY()));
        phys[8] = 1; // per metre
        if (!chunk_schreiben(ziel, "pHYs", phys, sizeof phys)) return false;
    }

    // Each row: filter 0 (none), then red, green, blue of every pixel.
    std::vector<std::uint8_t> zeile(static_cast<std::size_t>(breite) * 3 + 1);
    std::vector<std::uint8_t> aus(chunk_groesse);
    d.z.next_out = aus.data();
    d.z.avail_out = static_cast<uInt>(aus.size());
    const auto ausgeben = [&]() {
        const std::size_t n = aus.size() - d.z.avail_out;
        if (n > 0 && !chunk_schreiben(ziel, "IDAT", aus.data(), n)) return false;
        d.z.next_out = aus.data();
        d.z.avail_out = static_cast<uInt>(aus.size());
        return true;
    };
    for (int y = 0; y <= hoehe; ++y) {
        const bool letzte = y == hoehe;
        if (!letzte) {
            const auto* p = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
            std::uint8_t* q = zeile.data();
            *q++ = 0;
            for (int x = 0; x < breite; ++x) {
                const QRgb c = p[x];
                q[0] = static_cast<std::uint8_t>(qRed(c));
                q[1] = static_cast<std::uint8_t>(qGreen(c));
                q[2] = static_cast<std::uint8_t>(qBlue(c));
                q += 3;
            }
            d.z.next_in = zeile.data();
            d.z.avail_in = static_cast<uInt>(zeile.size());
        }
        // Until the row is taken in, or at the end until the stream is closed.
        for (;;) {
            const int r = deflate(&d.z, letzte ? Z_FINISH : Z_NO_FLUSH);
            if (r == Z_STREAM_ERROR) return false;
            if (d.z.avail_out == 0 && !ausgeben()) return false;
            if (letzte ? r == Z_STREAM_END : d.z.avail_in == 0) break;
        }
    }
    if (!ausgeben()) return false;
    return chunk_schreiben(ziel, "IEND", nullptr, 0);
}

} // namespace tarvello
