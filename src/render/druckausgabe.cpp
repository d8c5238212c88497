#include "render/druckausgabe.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <memory>

#include "files/textdatei.h"
#include "render/exportpruefung.h"
#include "render/zeichenflaeche.h"

namespace tarvello {

std::optional<QPageSize> papier_aus_name(const QString& name) {
    const QString gesucht = name.trimmed();
    if (gesucht.isEmpty()) return std::nullopt;
    for (int i = 0; i <= static_cast<int>(QPageSize::LastPageSize); ++i) {
        const auto id = static_cast<QPageSize::PageSizeId>(i);
        if (id == QPageSize::Custom) continue;
        if (QPageSize::key(id).compare(gesucht, Qt::CaseInsensitive) == 0) return QPageSize(id);
    }
    return std::nullopt;
}

namespace {

constexpr double cm_je_zoll = 2.54;

// The pages of one PDF document: the surface stays open from the first sheet
// to the last, each further sheet starts a new page.
class Pdfblaetter : public Blattziel {
  public:
    Pdfblaetter(QIODevice* ausgabe, const QPageSize& papier, const QString& titel)
        : schreiber_(ausgabe) {
        schreiber_.setResolution(pdf_aufloesung * pdf_feinteilung);
        schreiber_.setPageLayout(
            QPageLayout(papier, QPageLayout::Landscape,
                        QMarginsF(pdf_rand_mm, pdf_rand_mm, pdf_rand_mm, pdf_rand_mm),
                        QPageLayout::Millimeter));
        schreiber_.setCreator(QStringLiteral("Tarvello"));
        schreiber_.setTitle(titel.isEmpty() ? QStringLiteral("Tarvello") : titel);
    }

    Zielart art() const override { return Zielart::drucker; }
    float seitenhoehe() const override {
        return static_cast<float>(
            schreiber_.pageLayout().paintRect(QPageLayout::Millimeter).height() / 10.0);
    }
    float seitenbreite() const override {
        return static_cast<float>(
            schreiber_.pageLayout().paintRect(QPageLayout::Millimeter).width() / 10.0);
    }
    float pixel_je_einheit() const override {
        return static_cast<float>(pdf_aufloesung / cm_je_zoll);
    }

    Ergebnis blatt_beginnen(int, int, Zeichenflaeche*& flaeche) override {
        if (!flaeche_) {
            flaeche_ =
                std::make_unique<Zeichenflaeche>(&schreiber_, pixel_je_einheit(), pdf_feinteilung);
            if (!flaeche_->aktiv()) {
                flaeche_.reset();
                return Ergebnis::fehler(Fehlerart::datei, Meldung(Meldungsart::pdf_nicht_begonnen));
            }
        } else if (!schreiber_.newPage()) {
            return Ergebnis::fehler(Fehlerart::datei, Meldung(Meldungsart::pdf_keine_seite));
        }
        ++seiten_;
        flaeche = flaeche_.get();
        return {};
    }

    Ergebnis blatt_beenden(int, int) override { return {}; }
    void blatt_abbrechen() override { abschliessen(); }

    // Ends the document; the number of pages it has.
    int abschliessen() {
        if (flaeche_) flaeche_->beenden();
        flaeche_.reset();
        return seiten_;
    }

  private:
    QPdfWriter schreiber_;
    std::unique_ptr<Zeichenflaeche> flaeche_;
    int seiten_ = 0;
};

// A printer: every sheet is a print job of its own, begun with the sheet and
// ended with it.
class Druckerblaetter : public Blattziel {
  public:
    Druckerblaetter(QPrinter& drucker, QString titel)
        : drucker_(drucker), titel_(std::move(titel)) {
        drucker_.setPageOrientation(QPageLayout::Landscape);
    }

    Zielart art() const override { return Zielart::drucker; }
    float seitenhoehe() const override {
        return static_cast<float>(
            drucker_.pageLayout().paintRect(QPageLayout::Millimeter).height() / 10.0);
    }
    float seitenbreite() const override {
        return static_cast<float>(drucker_.pageLayout().paintRect(QPageLayout::Millimeter).width() /
                                  10.0);
    }
    float pixel_je_einheit() const override {
        return static_cast<float>(drucker_.resolution() / cm_je_zoll);
    }

    Ergebnis blatt_beginnen(int zeile, int spalte, Zeichenflaeche*& flaeche) override {
        drucker_.setPageOrientation(QPageLayout::Landscape);
        drucker_.setDocName(QStringLiteral("%1 (%2, %3)")
                                .arg(titel_.isEmpty() ? QStringLiteral("Tarvello") : titel_)
                                .arg(zeile)
                                .arg(spalte));
        flaeche_ = std::make_unique<Zeichenflaeche>(&drucker_, pixel_je_einheit());
        if (!flaeche_->aktiv()) {
            flaeche_.reset();
            return druckerfehler(Meldungsart::drucker_nicht_druckbar);
        }
        flaeche = flaeche_.get();
        return {};
    }

    Ergebnis blatt_beenden(int, int) override {
        flaeche_.reset(); // ending the painter sends the job
        if (drucker_.printerState() == QPrinter::Error)
            return druckerfehler(Meldungsart::druck_fehlgeschlagen);
        return {};
    }

    // What was drawn so far is printed.
    void blatt_abbrechen() override { flaeche_.reset(); }

  private:
    Ergebnis druckerfehler(Meldungsart art) const {
        return Ergebnis::fehler(Fehlerart::datei, Meldung(art, zeichen(drucker_.printerName())));
    }

    QPrinter& drucker_;
    QString titel_;
    std::unique_ptr<Zeichenflaeche> flaeche_;
};

} // namespace

Ergebnis pdf_drucken(const Zeichenauftrag& auftrag, const QString& datei, const QPageSize& papier,
                     Dateisystem& dateisystem) {
    if (Ergebnis e = export_ziel_pruefen(datei); !e.gut()) return e;
    Dateiausgabe ausgabe(datei, dateisystem);
    if (Ergebnis e = ausgabe.oeffnen(); !e.gut()) return e;
    Ergebnis e;
    int seiten = 0;
    {
        Pdfblaetter ziel(&ausgabe.geraet(), papier, auftrag.stadtname);
        e = stadtplan_zeichnen(auftrag, ziel);
        seiten = ziel.abschliessen();
    }
    if (!e.gut()) {
        ausgabe.verwerfen();
        if (e.art() == Fehlerart::datei) return export_schreibfehler(datei, e.meldung());
        return e;
    }
    // No sheet selected: there is nothing to keep.
    if (seiten == 0) return e; // the output drops the file
    // Ending the document writes most of it and may take seconds: an abort
    // meanwhile keeps nothing. The writer does not look at its writes; the
    // output checked every one.
    if (abbruch_gewuenscht(auftrag.wirt))
        return Ergebnis::fehler(Fehlerart::abbruch, Meldung(Meldungsart::druck_abgebrochen));
    return ausgabe.abschliessen();
}

Ergebnis stadtplan_drucken(const Zeichenauftrag& auftrag, QPrinter& drucker) {
    if (drucker.outputFormat() == QPrinter::PdfFormat && !drucker.outputFileName().isEmpty())
        return pdf_drucken(auftrag, drucker.outputFileName(), drucker.pageLayout().pageSize());
    Druckerblaetter ziel(drucker, auftrag.stadtname);
    return stadtplan_zeichnen(auftrag, ziel);
}

} // namespace tarvello
