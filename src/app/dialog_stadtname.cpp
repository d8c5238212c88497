#include "app/dialog_stadtname.h"
#include "files/kartendatei.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

#include "app/dialogtexte.h"
#include "names/stadtname.h"

namespace tarvello {

namespace {

template <std::size_t N>
QComboBox* bereichsliste(const char* name, const std::array<std::string_view, N>& eintraege,
                         int start) {
    auto* c = new QComboBox;
    c->setObjectName(name);
    for (std::string_view e : eintraege)
        c->addItem(QString::fromLatin1(e.data(), static_cast<qsizetype>(e.size())));
    c->setCurrentIndex(start);
    c->setMaxVisibleItems(static_cast<int>(N));
    return c;
}

} // namespace

Stadtname::Stadtname(Sprache sprache, QWidget* parent) : QDialog(parent), texte_(sprache) {
    setObjectName("Stadtname");
    texte_.titel(this, dialogtext::stadtname_titel);

    woerter_ = bereichsliste("Combo_Stadtname_Wortteile", woerter_eintraege, woerter_start_index);
    silben_ = bereichsliste("Combo_Stadtname_Silben", silben_eintraege, silben_start_index);

    auto* listen = new QGridLayout;
    auto* label1 = texte_.text(new QLabel, dialogtext::stadtname_wortteile);
    label1->setObjectName("beschriftung_wortteile");
    auto* label2 = texte_.text(new QLabel, dialogtext::stadtname_silben);
    label2->setObjectName("beschriftung_silben");
    listen->addWidget(label1, 0, 0);
    listen->addWidget(woerter_, 0, 1, Qt::AlignLeft);
    listen->addWidget(label2, 1, 0);
    listen->addWidget(silben_, 1, 1, Qt::AlignLeft);
    listen->setColumnStretch(2, 1);

    // The slider runs under a caption with "lovely" at its left end and
    // "ominous" at its right.
    duester_ = new QSlider(Qt::Horizontal);
    duester_->setObjectName("Slider_duester");
    duester_->setRange(regler_duester_min, regler_duester_max);
    duester_->setPageStep(10);
    duester_->setValue((regler_duester_min + regler_duester_max) / 2);
    auto* label3 = new QLabel;
    label3->setObjectName("beschriftung_stimmung");
    label3->setTextFormat(Qt::PlainText);
    texte_.text(label3, dialogtext::stadtname_stimmung);

    text_ = new QLineEdit;
    text_->setObjectName("Text_Stadtname");
    text_->setMaxLength(static_cast<int>(stadtname_max));
    QFont gross = text_->font();
    gross.setPointSizeF(gross.pointSizeF() * 1.4);
    text_->setFont(gross);

    auto* go = texte_.text(new QPushButton, dialogtext::stadtname_go);
    go->setObjectName("knopf_neuer_versuch");
    go->setDefault(true);
    auto* ok = texte_.text(new QPushButton, dialogtext::stadtname_ok);
    ok->setObjectName("knopf_uebernehmen");
    auto* abbruch = texte_.text(new QPushButton, dialogtext::stadtname_abbruch);
    abbruch->setObjectName("knopf_abbruch");

    auto* spalte = new QVBoxLayout(this);
    spalte->addLayout(listen);
    spalte->addSpacing(6);
    spalte->addWidget(label3);
    spalte->addWidget(duester_);
    spalte->addSpacing(6);
    spalte->addWidget(text_);
    auto* knoepfe = new QHBoxLayout;
    knoepfe->addWidget(go);
    knoepfe->addStretch(1);
    knoepfe->addWidget(ok);
    knoepfe->addWidget(abbruch);
    spalte->addLayout(knoepfe);
    spalte->setSizeConstraint(QLayout::SetFixedSize);

    connect(go, &QPushButton::clicked, this, &Stadtname::naechster_versuch);
    connect(ok, &QPushButton::clicked, this, &Stadtname::uebernehmen);
    connect(abbruch, &QPushButton::clicked, this, &QDialog::reject);
}

QString Stadtname::name() const {
    return text_->text();
}

void Stadtname::naechster_versuch() {
    const Bereich silben = bereich_lesen(silben_->currentText().toStdString());
    const Bereich woerter = bereich_lesen(woerter_->currentText().toStdString());
    const std::string name = stadtname_erzeugen(zufall_, woerter.min, woerter.max, silben.min,
                                                silben.max, stimmung_aus_regler(duester_->value()));
    text_->setText(QString::fromStdString(name));
    breite_anpassen();
}

// The field widens for a long name (the dialog has a fixed size, so it grows
// with it) and keeps that width, so the buttons do not jump at every try.
void Stadtname::breite_anpassen() {
    const QString t = text_->text();
    const QMargins r = text_->textMargins();
    int noetig = text_->fontMetrics().horizontalAdvance(t) + r.left() + r.right() +
                 2 * text_->fontMetrics().averageCharWidth() + 8;
    if (const QScreen* s = screen())
        noetig = std::min(noetig, s->availableGeometry().width() * 9 / 10);
    if (noetig > text_->minimumWidth()) text_->setMinimumWidth(noetig);
}

void Stadtname::uebernehmen() {
    // Nothing made or typed yet: the town's name stays as it is.
    if (!text_->text().trimmed().isEmpty()) emit name_uebernommen(text_->text());
    accept();
}

} // namespace tarvello
