#include "render/bildexport.h"

#include <QImage>
#include <QSvgGenerator>
#include <memory>
#include <optional>

#include "files/textdatei.h"
#include "render/exportpruefung.h"
#include "render/pngschreiber.h"
#include "render/renderzustand.h"
#include "render/zeichenflaeche.h"

namespace tarvello {

QString bildformat_endung(Bildformat f) {
    switch (f) {
    case Bildformat::png:
        return QStringLiteral(".png");
    case Bildformat::bmp:
        return QStringLiteral(".bmp");
    case Bildformat::svg:
        return QStringLiteral(".svg");
    }
    return {};
}

QString export_dateiname(const QString& datei, Bildformat f, int matrix, int spalte, int zeile) {
    // A stream, device or pipe is written as named.
    if (direktes_ziel(datei)) return datei;
    const QString endung = bildformat_endung(f);
    QString name = datei;
    if (name.endsWith(endung, Qt::CaseSensitive)) name.chop(endung.size());
    if (matrix > 1) name += QStringLiteral("_%1_%2").arg(spalte).arg(zeile);
    return name + endung;
}

double export_speicherbedarf(int pixel, int matrix) {
    return static_cast<double>(pixel) * (static_cast<double>(matrix) * matrix * pixel) * 3.0 /
           1000000.0;
}

Pixelraster bildraster(float stadt_abmessung, const Bildausschnitt& a, int matrix, int pixel,
                       int zeile, int spalte) {
    Renderzustand z;
    z.bild_vorbereiten(stadt_abmessung, a, matrix, static_cast<float>(pixel));
    z.blatt_setzen(zeile, spalte);
    return {z.ausschnitt_x, z.ausschnitt_y, 1.0 / static_cast<double>(z.massstab)};
}

namespace {

// Opens a picture file, to be written under a temporary name.
Ergebnis oeffnen(Dateiausgabe& f) {
    if (Ergebnis e = export_ziel_pruefen(f.datei()); !e.gut()) return e;
    return f.oeffnen();
}

// Every finished sheet's files replace their targets, in order; the first
// that fails stops it, and the rest are dropped.
Ergebnis alle_uebernehmen(std::vector<std::unique_ptr<Dateiausgabe>>& fertig) {
    Ergebnis e;
    for (std::size_t i = 0; i < fertig.size() && e.gut(); ++i)
        e = fertig[i]->abschliessen();
    fertig.clear();
    return e;
}

// A BMP goes out row by row, a PNG chunk by chunk.
bool bild_speichern(QIODevice& ziel, const QImage& bild, Bildformat format) {
    if (format == Bildformat::bmp) return bild.save(&ziel, "BMP");
    return png_schreiben(ziel, bild);
}

Ergebnis abgebrochen() {
    return Ergebnis::fehler(Fehlerart::abbruch, "", "");
}

// Raster pictures: each sheet is drawn once and saved in every raster format
// asked for.
class Bildblaetter : public Blattziel {
  public:
    Bildblaetter(int pixel, int matrix, std::vector<Exportdatei> dateien, Wirt* wirt,
                 Dateisystem& dateisystem)
        : pixel_(pixel), matrix_(matrix), dateien_(std::move(dateien)), wirt_(wirt),
          dateisystem_(dateisystem) {}

    Zielart art() const override { return Zielart::bild; }
    float seitenhoehe() const override { return static_cast<float>(pixel_); }

    Ergebnis blatt_beginnen(int zeile, int spalte, Zeichenflaeche*& flaeche) override {
        dateien_offen_.clear();
        // Opening first means an unwritable name fails before any drawing.
        for (const Exportdatei& d : dateien_) {
            auto f = std::make_unique<Dateiausgabe>(
                export_dateiname(d.datei, d.format, matrix_, spalte, zeile), dateisystem_);
            if (Ergebnis e = oeffnen(*f); !e.gut()) {
                dateien_offen_.clear();
                return e;
            }
            dateien_offen_.push_back(std::move(f));
        }
        bild_ = QImage(pixel_, pixel_, QImage::Format_RGB32);
        if (bild_.isNull()) {
            dateien_offen_.clear();
            return Ergebnis::fehler(Fehlerart::datei, Meldung(Meldungsart::bild_zu_gross, pixel_));
        }
        bild_.fill(Qt::white);
        flaeche_ = std::make_unique<Zeichenflaeche>(&bild_);
        flaeche = flaeche_.get();
        return {};
    }

    Ergebnis blatt_beenden(int, int) override {
        flaeche_.reset();
        Ergebnis e;
        for (std::size_t i = 0; i < dateien_.size() && e.gut(); ++i) {
            Dateiausgabe& f = *dateien_offen_[i];
            if (!bild_speichern(f.geraet(), bild_, dateien_[i].format))
                e = f.fehlerhaft() ? f.schreibfehler()
                                   : f.fehler(Meldung(Meldungsart::bild_nicht_kodierbar));
        }
        // Encoding a large picture takes a while: an abort meanwhile keeps
        // none of the sheet's files.
        if (e.gut() && abbruch_gewuenscht(wirt_)) e = abgebrochen();
        // Written out now, so a full disk shows at this sheet; the files
        // replace their targets only when every sheet is done.
        for (std::size_t i = 0; i < dateien_offen_.size() && e.gut(); ++i)
            e = dateien_offen_[i]->leeren();
        if (e.gut())
            for (auto& f : dateien_offen_)
                fertig_.push_back(std::move(f));
        dateien_offen_.clear(); // what was not completed is dropped
        if (!e.gut()) {
            bild_ = QImage();
            return e;
        }
        // Freed now, not when the next sheet's picture has been allocated:
        // a matrix export never holds two pictures at once.
        bild_ = QImage();
        return {};
    }

    void blatt_abbrechen() override {
        flaeche_.reset();
        dateien_offen_.clear(); // uncommitted files leave nothing behind
        bild_ = QImage();
    }

    Ergebnis uebernehmen() { return alle_uebernehmen(fertig_); }

  private:
    int pixel_, matrix_;
    std::vector<Exportdatei> dateien_;
    Wirt* wirt_;
    Dateisystem& dateisystem_;
    std::vector<std::unique_ptr<Dateiausgabe>> dateien_offen_;
    // Finished sheets, written out but not yet in place.
    std::vector<std::unique_ptr<Dateiausgabe>> fertig_;
    QImage bild_;
    std::unique_ptr<Zeichenflaeche> flaeche_;
};

// SVG documents: the same drawing in pixel units, kept as vector shapes.
class Svgblaetter : public Blattziel {
  public:
    Svgblaetter(int pixel, int matrix, QString datei, Wirt* wirt, Dateisystem& dateisystem)
        : pixel_(pixel), matrix_(matrix), datei_(std::move(datei)), wirt_(wirt),
          dateisystem_(dateisystem) {}

    Zielart art() const override { return Zielart::vektor; }
    float seitenhoehe() const override { return static_cast<float>(pixel_); }

    Ergebnis blatt_beginnen(int zeile, int spalte, Zeichenflaeche*& flaeche) override {
        datei_offen_ = std::make_unique<Dateiausgabe>(
            export_dateiname(datei_, Bildformat::svg, matrix_, spalte, zeile), dateisystem_);
        if (Ergebnis e = oeffnen(*datei_offen_); !e.gut()) {
            datei_offen_.reset();
            return e;
        }
        generator_ = std::make_unique<QSvgGenerator>();
        generator_->setOutputDevice(&datei_offen_->geraet());
        generator_->setSize(QSize(pixel_, pixel_));
        generator_->setViewBox(QRect(0, 0, pixel_, pixel_));
        // Label sizes in points come out as large as in the raster pictures.
        generator_->setResolution(96);
        generator_->setTitle(QStringLiteral("Tarvello"));
        flaeche_ = std::make_unique<Zeichenflaeche>(generator_.get());
        flaeche = flaeche_.get();
        return {};
    }

    Ergebnis blatt_beenden(int, int) override {
        flaeche_.reset(); // ending the painter writes the document
        generator_.reset();
        // The writer does not look at its writes: the output checked them.
        Ergebnis e = abbruch_gewuenscht(wirt_) ? abgebrochen() : datei_offen_->leeren();
        if (e.gut()) fertig_.push_back(std::move(datei_offen_));
        datei_offen_.reset();
        return e;
    }

    void blatt_abbrechen() override {
        flaeche_.reset();
        generator_.reset();
        datei_offen_.reset();
    }

    Ergebnis uebernehmen() { return alle_uebernehmen(fertig_); }

  private:
    int pixel_, matrix_;
    QString datei_;
    Wirt* wirt_;
    Dateisystem& dateisystem_;
    std::unique_ptr<Dateiausgabe> datei_offen_;
    std::vector<std::unique_ptr<Dateiausgabe>> fertig_;
    std::unique_ptr<QSvgGenerator> generator_;
    std::unique_ptr<Zeichenflaeche> flaeche_;
};

} // namespace

Ergebnis bilder_exportieren(const Zeichenauftrag& auftrag, const std::vector<Exportdatei>& dateien,
                            Dateisystem& dateisystem) {
    const int pixel = auftrag.optionen.export_pixel;
    const int matrix = auftrag.optionen.export_matrix;
    std::vector<Exportdatei> raster;
    std::vector<QString> svg;
    for (const Exportdatei& d : dateien) {
        if (d.format == Bildformat::svg)
            svg.push_back(d.datei);
        else
            raster.push_back(d);
    }
    Ergebnis e;
    const auto lauf = [&](Blattziel& ziel) {
        e = stadtplan_zeichnen(auftrag, ziel);
        return e.gut();
    };
    // Every picture of every format is finished before any replaces its
    // target: a fault or an abort anywhere leaves all the old files.
    std::optional<Bildblaetter> bilder;
    if (!raster.empty()) {
        bilder.emplace(pixel, matrix, raster, auftrag.wirt, dateisystem);
        if (!lauf(*bilder)) return e;
    }
    std::vector<std::unique_ptr<Svgblaetter>> zeichnungen;
    for (const QString& datei : svg) {
        zeichnungen.push_back(
            std::make_unique<Svgblaetter>(pixel, matrix, datei, auftrag.wirt, dateisystem));
        if (!lauf(*zeichnungen.back())) return e;
    }
    if (bilder)
        if (e = bilder->uebernehmen(); !e.gut()) return e;
    for (auto& z : zeichnungen)
        if (e = z->uebernehmen(); !e.gut()) return e;
    return e;
}

} // namespace tarvello
