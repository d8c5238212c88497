// What drawing must hold for any map file the reader accepts, checked by the
// fuzz target fuzz_zeichnen and by the corpus replay of the render tests:
// a small picture, a small SVG picture and a one-page PDF, all in memory,
// are drawn completely or stopped by the host's time limit; a stopped
// drawing ends soon after the abort was asked for, and a completed one
// gives a picture and a document that are whole. Needs a QGuiApplication.
#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "core/wirt.h"
#include "files/druckfarben.h"
#include "files/kartendatei.h"
#include "render/druckausgabe.h"
#include "render/stadtplan.h"
#include "render/zeichenflaeche.h"

namespace tarvello::pruefung {

// How long one drawing may take before the host asks it to stop, and how
// long it may go on after that.
struct Zeitgrenze {
    std::chrono::milliseconds frist{1000};
    std::chrono::milliseconds nachlauf{2000};
};

// A host that asks for the abort once its time is up, and notes when.
class Zeitwirt : public Wirt {
  public:
    using Uhr = std::chrono::steady_clock;
    explicit Zeitwirt(std::chrono::milliseconds frist) : ende_(Uhr::now() + frist) {}
    bool nachgeben() override {
        const Uhr::time_point jetzt = Uhr::now();
        if (jetzt < ende_) return false;
        if (!gefragt_) {
            gefragt_ = true;
            abbruch_ = jetzt;
        }
        return true;
    }
    bool abgebrochen() const { return gefragt_; }
    // Time since the abort was first asked for.
    std::chrono::milliseconds seit_abbruch() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Uhr::now() - abbruch_);
    }

  private:
    Uhr::time_point ende_;
    Uhr::time_point abbruch_{};
    bool gefragt_ = false;
};

// A picture of seite x seite pixels in memory, kept as PNG bytes.
class Speicherbild : public Blattziel {
  public:
    Speicherbild(int seite, Zielart art) : seite_(seite), art_(art) {}
    Zielart art() const override { return art_; }
    float seitenhoehe() const override { return static_cast<float>(seite_); }
    Ergebnis blatt_beginnen(int, int, Zeichenflaeche*& flaeche) override {
        ++begonnen;
        if (art_ == Zielart::vektor) {
            puffer_ = std::make_unique<QBuffer>(&daten);
            puffer_->open(QIODevice::WriteOnly);
            svg_ = std::make_unique<QSvgGenerator>();
            svg_->setOutputDevice(puffer_.get());
            svg_->setSize(QSize(seite_, seite_));
            svg_->setViewBox(QRect(0, 0, seite_, seite_));
            svg_->setResolution(96);
            flaeche_ = std::make_unique<Zeichenflaeche>(svg_.get());
        } else {
            bild_ = QImage(seite_, seite_, QImage::Format_RGB32);
            bild_.fill(Qt::white);
            flaeche_ = std::make_unique<Zeichenflaeche>(&bild_);
        }
        flaeche = flaeche_.get();
        return {};
    }
    Ergebnis blatt_beenden(int, int) override {
        flaeche_.reset();
        svg_.reset();
        puffer_.reset();
        if (art_ == Zielart::bild) {
            QBuffer png(&daten);
            if (!png.open(QIODevice::WriteOnly) || !bild_.save(&png, "PNG"))
                return Ergebnis::fehler(Fehlerart::datei, "kein PNG", "no PNG");
        }
        ++beendet;
        return {};
    }
    void blatt_abbrechen() override {
        flaeche_.reset();
        svg_.reset();
        puffer_.reset();
    }

    QByteArray daten;
    int begonnen = 0, beendet = 0;

  private:
    int seite_;
    Zielart art_;
    QImage bild_;
    std::unique_ptr<QBuffer> puffer_;
    std::unique_ptr<QSvgGenerator> svg_;
    std::unique_ptr<Zeichenflaeche> flaeche_;
};

// The pages of a PDF document in memory, laid out as pdf_drucken lays them.
class Speicherpdf : public Blattziel {
  public:
    Speicherpdf() : puffer_(&daten) {
        puffer_.open(QIODevice::WriteOnly);
        schreiber_ = std::make_unique<QPdfWriter>(&puffer_);
        schreiber_->setResolution(pdf_aufloesung);
        schreiber_->setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                        QMarginsF(pdf_rand_mm, pdf_rand_mm, pdf_rand_mm, pdf_rand_mm),
                        QPageLayout::Millimeter));
    }
    Zielart art() const override { return Zielart::drucker; }
    float seitenhoehe() const override {
        return static_cast<float>(
            schreiber_->pageLayout().paintRect(QPageLayout::Millimeter).height() / 10.0);
    }
    float seitenbreite() const override {
        return static_cast<float>(
            schreiber_->pageLayout().paintRect(QPageLayout::Millimeter).width() / 10.0);
    }
    float pixel_je_einheit() const override { return static_cast<float>(pdf_aufloesung / 2.54); }
    Ergebnis blatt_beginnen(int, int, Zeichenflaeche*& flaeche) override {
        ++begonnen;
        if (!flaeche_) {
            flaeche_ = std::make_unique<Zeichenflaeche>(schreiber_.get(), pixel_je_einheit());
            if (!flaeche_->aktiv()) return Ergebnis::fehler(Fehlerart::datei, "kein PDF", "no PDF");
        } else if (!schreiber_->newPage()) {
            return Ergebnis::fehler(Fehlerart::datei, "keine Seite", "no page");
        }
        flaeche = flaeche_.get();
        return {};
    }
    Ergebnis blatt_beenden(int, int) override {
        ++beendet;
        return {};
    }
    void blatt_abbrechen() override { abschliessen(); }
    void abschliessen() {
        flaeche_.reset();
        schreiber_.reset();
    }

    QByteArray daten;
    int begonnen = 0, beendet = 0;

  private:
    QBuffer puffer_;
    std::unique_ptr<QPdfWriter> schreiber_;
    std::unique_ptr<Zeichenflaeche> flaeche_;
};

// What became of one input.
struct Zeichenbericht {
    bool angenommen = false; // the reader accepted it
    int gestoppt = 0;        // drawings the time limit stopped
};

// Empty when the drawing's outcome is fine, else what is wrong.
template <typename Ziel>
std::string zeichnung_pruefen(const char* art, const Zeichenauftrag& auftrag, Ziel& ziel,
                              const Zeitwirt& wirt, const Zeitgrenze& grenze,
                              Zeichenbericht& bericht) {
    const std::string kopf = std::string(art) + ": ";
    const Ergebnis e = stadtplan_zeichnen(auftrag, ziel);
    if (wirt.abgebrochen() && wirt.seit_abbruch() > grenze.nachlauf)
        return kopf + "the drawing went on for " + std::to_string(wirt.seit_abbruch().count()) +
               " ms after the abort";
    if (e.art() == Fehlerart::abbruch) {
        if (!wirt.abgebrochen()) return kopf + "stopped without an abort";
        ++bericht.gestoppt;
        return {};
    }
    if (!e.gut()) return kopf + "failed: " + e.englisch();
    if (ziel.begonnen != 1 || ziel.beendet != 1)
        return kopf + "not exactly one sheet (" + std::to_string(ziel.begonnen) + " begun, " +
               std::to_string(ziel.beendet) + " ended)";
    return {};
}

// Options for the drawings, varied by the input so that outlines, fine
// hatching, labels and a zoomed section are all drawn.
inline Druckoptionen zeichenoptionen(std::string_view inhalt, Bildausschnitt& ausschnitt,
                                     float stadt_abmessung, int pixel = 200) {
    unsigned summe = 0;
    for (const char c : inhalt)
        summe = summe * 31u + static_cast<unsigned char>(c);
    Druckoptionen o;
    o.export_pixel = pixel;
    o.export_matrix = 1;
    o.blaetter_je_seite = 1;
    o.gebaeude_nur_umriss = (summe & 1u) != 0;
    o.gebaeude_hohe_aufloesung = (summe & 2u) != 0;
    o.export_nur_umriss = (summe & 4u) != 0;
    const bool ohne_nummern = (summe & 8u) != 0;
    o.kennzeichnung_wege = o.kennzeichnung_haeuser = !ohne_nummern;
    o.kennzeichnung_plaetze = o.kennzeichnung_parks = !ohne_nummern;
    ausschnitt = {};
    if ((summe & 16u) != 0) {
        ausschnitt.zoom = 4.0f;
        ausschnitt.x = stadt_abmessung * 0.4f;
        ausschnitt.y = stadt_abmessung * 0.3f;
        bildausschnitt_begrenzen(ausschnitt, stadt_abmessung);
    }
    return o;
}

// Reads the bytes as a map file and, when they read, draws them three ways,
// the pictures `pixel` wide. bericht (when given) learns what became of them.
inline std::string zeichnen(std::string_view inhalt, const Zeitgrenze& grenze = {},
                            Zeichenbericht* bericht = nullptr, int pixel = 200) {
    Zeichenbericht eigener;
    Zeichenbericht& b = bericht ? *bericht : eigener;
    b = {};
    Stadtmodell m;
    Kartenkopf k;
    if (!stadtplan_lesen(QStringLiteral("eingabe.qls"), inhalt, m, k).gut()) return {};
    b.angenommen = true;
    const Druckfarben farben = Druckfarben::standard();
    Bildausschnitt ausschnitt;
    const Druckoptionen o = zeichenoptionen(inhalt, ausschnitt, m.stadt_abmessung, pixel);
    {
        Zeitwirt wirt(grenze.frist);
        const Zeichenauftrag auftrag{m, farben, o, ausschnitt, &wirt, k.stadtname, k.nord};
        Speicherbild bild(o.export_pixel, Zielart::bild);
        if (std::string f = zeichnung_pruefen("PNG", auftrag, bild, wirt, grenze, b); !f.empty())
            return f;
        if (bild.beendet == 1 && !QImage::fromData(bild.daten, "PNG").size().isValid())
            return "PNG: the picture does not read back";
    }
    {
        Zeitwirt wirt(grenze.frist);
        const Zeichenauftrag auftrag{m, farben, o, ausschnitt, &wirt, k.stadtname, k.nord};
        Speicherbild svg(o.export_pixel, Zielart::vektor);
        if (std::string f = zeichnung_pruefen("SVG", auftrag, svg, wirt, grenze, b); !f.empty())
            return f;
        if (svg.beendet == 1 && !svg.daten.trimmed().endsWith("</svg>"))
            return "SVG: the document is not complete";
    }
    {
        Zeitwirt wirt(grenze.frist);
        const Zeichenauftrag auftrag{m, farben, o, {}, &wirt, k.stadtname, k.nord};
        Speicherpdf pdf;
        std::string f = zeichnung_pruefen("PDF", auftrag, pdf, wirt, grenze, b);
        pdf.abschliessen();
        if (!f.empty()) return f;
        if (pdf.beendet == 1 &&
            (!pdf.daten.startsWith("%PDF-") || !pdf.daten.trimmed().endsWith("%%EOF")))
            return "PDF: the document is not complete";
    }
    return {};
}

} // namespace tarvello::pruefung
