#include "app/dialog_kennzeichnung.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogtexte.h"
#include "core/zahlen.h"
#include "generator/nummerierung.h"

namespace tarvello {

namespace {

// A caption whose run of spaces holds an input field: "Label [____] Streets
// (as far as existent)", the field sitting exactly where the spaces are.
class Lueckenzeile : public QLabel {
  public:
    explicit Lueckenzeile(QWidget* feld) : feld_(feld) {
        setTextFormat(Qt::PlainText);
        feld_->setParent(this);
        setMinimumHeight(feld_->sizeHint().height() + 2);
    }

    // A new caption: the field moves to its run of spaces.
    void text_setzen(const QString& text) {
        static const QRegularExpression luecke(" {3,}");
        const QRegularExpressionMatch m = luecke.match(text);
        start_ = m.hasMatch() ? m.capturedStart() : text.size();
        laenge_ = m.hasMatch() ? m.capturedLength() : 0;
        setText(m.hasMatch() ? text : text + QString(12, QLatin1Char(' ')));
        feld_legen();
    }

  protected:
    void resizeEvent(QResizeEvent* e) override {
        QLabel::resizeEvent(e);
        feld_legen();
    }

  private:
    void feld_legen() {
        const QFontMetrics fm(font());
        const int leer = fm.horizontalAdvance(QLatin1Char(' '));
        const int x = contentsRect().left() + fm.horizontalAdvance(text().left(start_)) + leer;
        const int luecke = laenge_ ? fm.horizontalAdvance(text().mid(start_, laenge_)) : 12 * leer;
        const int h = feld_->sizeHint().height();
        feld_->setGeometry(x, (height() - h) / 2, std::max(luecke - 2 * leer, 4 * leer), h);
    }

    QWidget* feld_;
    qsizetype start_ = 0;
    qsizetype laenge_ = 0;
};

} // namespace

int kennzeichnung_wert(const QString& text, int grenze) {
    const double w = runden(static_cast<double>(zahl_aus_text(text.toStdString())));
    return static_cast<int>(std::clamp(w, 0.0, static_cast<double>(grenze)));
}

Kennzeichnung::Kennzeichnung(Stadtmodell& modell, Sprache sprache, QWidget* parent)
    : QDialog(parent), modell_(modell), texte_(sprache) {
    setObjectName("Kennzeichnung");
    texte_.titel(this, dialogtext::kennzeichnung_titel);

    wege_ = zaehlfeld("Text_Numeriere_Wege", nummer_wege_max, modell_.n_nummer_wege);
    haeuser_ = zaehlfeld("Text_Numeriere_haeuser", nummer_haeuser_max, modell_.n_nummer_haeuser);
    parks_ = zaehlfeld("Text_Numeriere_Parks", nummer_parks_max, modell_.n_nummer_parks);
    plaetze_ = zaehlfeld("Text_Numeriere_Plaetze", nummer_plaetze_max, modell_.n_nummer_plaetze);

    auto* spalte = new QVBoxLayout(this);
    const std::pair<QLineEdit*, const Wortpaar*> zeilen[] = {
        {wege_, &dialogtext::kennzeichnung_wege},
        {haeuser_, &dialogtext::kennzeichnung_haeuser},
        {parks_, &dialogtext::kennzeichnung_parks},
        {plaetze_, &dialogtext::kennzeichnung_plaetze},
    };
    for (const auto& [feld, text] : zeilen) {
        auto* zeile = new Lueckenzeile(feld);
        texte_.setzen(zeile, *text, [zeile](const QString& t) { zeile->text_setzen(t); });
        spalte->addWidget(zeile);
    }
    spalte->addSpacing(8);

    auto* knoepfe = new QHBoxLayout;
    auto* speichern_knopf = texte_.text(new QPushButton, dialogtext::kennzeichnung_speichern);
    speichern_knopf->setObjectName("knopf_speichern");
    speichern_knopf->setDefault(true);
    auto* abbrechen_knopf = texte_.text(new QPushButton, dialogtext::kennzeichnung_abbrechen);
    abbrechen_knopf->setObjectName("knopf_abbrechen");
    knoepfe->addStretch(1);
    knoepfe->addWidget(speichern_knopf);
    knoepfe->addWidget(abbrechen_knopf);
    spalte->addLayout(knoepfe);
    spalte->setSizeConstraint(QLayout::SetFixedSize);

    connect(speichern_knopf, &QPushButton::clicked, this, &Kennzeichnung::speichern);
    connect(abbrechen_knopf, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* Kennzeichnung::zaehlfeld(const char* name, int grenze, int wert) {
    auto* feld = new QLineEdit(QString::number(wert));
    feld->setObjectName(name);
    feld->setAlignment(Qt::AlignRight);
    feld->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,6}(\\.[0-9]{0,3})?"), feld));
    // A value above the limit becomes the limit as soon as it is typed.
    connect(feld, &QLineEdit::textChanged, feld, [feld, grenze](const QString& text) {
        if (zahl_aus_text(text.toStdString()) > static_cast<float>(grenze))
            feld->setText(QString::number(grenze));
    });
    return feld;
}

void Kennzeichnung::speichern() {
    modell_.n_nummer_wege =
        static_cast<std::int16_t>(kennzeichnung_wert(wege_->text(), nummer_wege_max));
    modell_.n_nummer_haeuser =
        static_cast<std::int16_t>(kennzeichnung_wert(haeuser_->text(), nummer_haeuser_max));
    modell_.n_nummer_plaetze =
        static_cast<std::int16_t>(kennzeichnung_wert(plaetze_->text(), nummer_plaetze_max));
    modell_.n_nummer_parks =
        static_cast<std::int16_t>(kennzeichnung_wert(parks_->text(), nummer_parks_max));
    accept();
}

} // namespace tarvello
