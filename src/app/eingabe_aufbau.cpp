// Building the main window: the parameter tabs from the caption tables,
// the start row, the preview with its view buttons, and the menus.
#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QSlider>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/anzeigen.h"
#include "app/eingabe.h"
#include "app/vorschau.h"
#include "core/version.h"
#include "core/vorlagen.h"
#include "files/kartendatei.h"

namespace tarvello {

namespace {

// Keeps its one child square and centred, so the preview's map square is
// never cut off whatever shape the window has.
class QuadratRahmen : public QWidget {
  public:
    QuadratRahmen(QWidget* kind, QWidget* parent = nullptr) : QWidget(parent), kind_(kind) {
        kind_->setParent(this);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setMinimumSize(kind_->minimumSize());
    }
    QSize sizeHint() const override { return {602, 602}; }

  protected:
    void resizeEvent(QResizeEvent*) override {
        const int seite = std::min(width(), height());
        kind_->setGeometry((width() - seite) / 2, (height() - seite) / 2, seite, seite);
    }

  private:
    QWidget* kind_;
};

QPushButton* navigationsknopf(const char* name) {
    auto* k = new QPushButton;
    k->setObjectName(name);
    k->setFixedSize(34, 30);
    k->setFocusPolicy(Qt::NoFocus);
    return k;
}

} // namespace

// --- building the window -----------------------------------------------------

void Eingabe::aufbauen() {
    auto* zentral = new QWidget(this);
    auto* haupt = new QHBoxLayout(zentral);
    haupt->addWidget(linke_seite_bauen());
    haupt->addLayout(rechte_seite_bauen(), 1);
    setCentralWidget(zentral);

    // Esc stops a run wherever the focus is.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, &Eingabe::lauf_abbrechen);
}

// Left: presets, town name, the parameter tabs, Start and Abort, status.
QWidget* Eingabe::linke_seite_bauen() {
    auto* links = new QVBoxLayout;
    auto* zeile = new QHBoxLayout;
    auto* label = new QLabel;
    label->setObjectName("Label_Vorlagen");
    beschriften(label);
    vorlagen_ = new QComboBox;
    vorlagen_->setObjectName("Combo_Vorlagen");
    vorlagen_->setPlaceholderText(QString::fromUtf8(vorlage_benutzerdefiniert));
    vorlagen_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    vorlagen_->setMaxVisibleItems(n_vorlagen);
    connect(vorlagen_, &QComboBox::activated, this, [this](int i) { vorlage_waehlen(i); });
    zeile->addWidget(label);
    zeile->addWidget(vorlagen_, 1);
    links->addLayout(zeile);

    zeile = new QHBoxLayout;
    label = new QLabel;
    label->setObjectName("Label_Stadtname");
    beschriften(label);
    stadtname_ = new QLineEdit;
    stadtname_->setObjectName("Text_Stadtname");
    stadtname_->setMaxLength(static_cast<int>(stadtname_max));
    auto* generator = new QPushButton;
    generator->setObjectName("knopf_stadtname");
    beschriften(generator);
    connect(generator, &QPushButton::clicked, this, &Eingabe::stadtname_generator_oeffnen);
    zeile->addWidget(label);
    zeile->addWidget(stadtname_, 1);
    zeile->addWidget(hilfe_knopf("stadtname", 1));
    zeile->addWidget(generator);
    links->addLayout(zeile);

    tab_ = new QTabWidget;
    tab_->setObjectName("Tab");
    for (const Reiter& r : reiter_aufbau()) {
        QWidget* seite = reiter_seite(r);
        seiten_.push_back(seite);
        tab_->addTab(seite, r.titel.in(sprache_));
        reiter_titel_.emplace_back(seite, r.titel);
    }
    links->addWidget(tab_, 1);

    links->addLayout(startzeile_bauen());

    status_ = new Statuszeile;
    status_->setObjectName("statuszeile");
    status_->setFrameShape(QFrame::StyledPanel);
    status_->setFrameShadow(QFrame::Sunken);
    status_->setMinimumHeight(24);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    links->addWidget(status_);
    fortschritt_ = new Fortschrittsbalken;
    links->addWidget(fortschritt_);

    auto* linke_seite = new QWidget;
    linke_seite->setLayout(links);
    linke_seite->setMinimumWidth(520);
    linke_seite->setMaximumWidth(600);
    return linke_seite;
}

// Start, the seed field and Abort.
QLayout* Eingabe::startzeile_bauen() {
    auto* zeile = new QHBoxLayout;
    knopf_start_ = new QPushButton;
    knopf_start_->setObjectName("knopf_start");
    knopf_start_->setMinimumWidth(96);
    knopf_start_->setDefault(true);
    beschriften(knopf_start_);
    connect(knopf_start_, &QPushButton::clicked, this, &Eingabe::lauf_starten);
    auto* label = new QLabel;
    label->setObjectName("Label_Startwert");
    beschriften(label);
    startwert_ = new QLineEdit;
    startwert_->setObjectName("Text_Startwert");
    startwert_->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9]{0,20}"), startwert_));
    beschriften(startwert_);
    connect(startwert_, &QLineEdit::textEdited, this, [this] {
        // A seed the user typed is kept for the next run.
        startwert_gezogen_ = false;
        startwert_->setStyleSheet(QString());
    });
    knopf_abbruch_ = new QPushButton;
    knopf_abbruch_->setObjectName("knopf_abbruch");
    knopf_abbruch_->setMinimumWidth(96);
    beschriften(knopf_abbruch_);
    connect(knopf_abbruch_, &QPushButton::clicked, this, &Eingabe::lauf_abbrechen);
    zeile->addWidget(knopf_start_);
    zeile->addSpacing(8);
    zeile->addWidget(label);
    zeile->addWidget(startwert_, 1);
    zeile->addSpacing(8);
    zeile->addWidget(knopf_abbruch_);
    return zeile;
}

// Right: the preview and the buttons under it.
QLayout* Eingabe::rechte_seite_bauen() {
    auto* rechts = new QVBoxLayout;
    vorschau_ = new Vorschau(daten_.modell);
    rechts->addWidget(new QuadratRahmen(vorschau_), 1);
    rechts->addLayout(knopfzeile_bauen());
    return rechts;
}

// Under the preview: the view buttons, north, labels and picture export.
QLayout* Eingabe::knopfzeile_bauen() {
    auto* unten = new QHBoxLayout;
    unten->addLayout(pfeile_bauen());
    unten->addLayout(zoomknoepfe_bauen());
    unten->addSpacing(12);

    nordwahl_ = new Nordwahl;
    unten->addWidget(nordwahl_);
    auto* nord = new QVBoxLayout;
    auto* label = new QLabel;
    label->setObjectName("Label_Nord");
    beschriften(label);
    nord->addWidget(label);
    nord->addWidget(hilfe_knopf("nord", 22));
    nord->addStretch(1);
    unten->addLayout(nord);
    unten->addStretch(1);

    auto* ausgabe = new QVBoxLayout;
    auto* nummern = new QHBoxLayout;
    auto* kennzeichnung = new QPushButton;
    kennzeichnung->setObjectName("knopf_kennzeichnung");
    beschriften(kennzeichnung);
    connect(kennzeichnung, &QPushButton::clicked, this, &Eingabe::kennzeichnung_oeffnen);
    nummern->addWidget(kennzeichnung, 1);
    nummern->addWidget(hilfe_knopf("kennzeichnung", 17));
    ausgabe->addLayout(nummern);
    knopf_bildexport_ = new QPushButton;
    knopf_bildexport_->setObjectName("knopf_bildexport");
    beschriften(knopf_bildexport_);
    connect(knopf_bildexport_, &QPushButton::clicked, this, &Eingabe::bildexport_oeffnen);
    ausgabe->addWidget(knopf_bildexport_);
    ausgabe->addStretch(1);
    unten->addLayout(ausgabe);
    return unten;
}

// The eight arrows that move the preview and "whole map" in their middle.
QLayout* Eingabe::pfeile_bauen() {
    auto* pfeile = new QGridLayout;
    pfeile->setSpacing(2);
    struct Knopf {
        const char* name;
        int zeile, spalte;
        void (Vorschau::*aktion)();
    };
    const Knopf knoepfe[] = {
        {"knopf_vorschau_links_oben", 0, 0, &Vorschau::nach_links_oben},
        {"knopf_vorschau_oben", 0, 1, &Vorschau::nach_oben},
        {"knopf_vorschau_rechts_oben", 0, 2, &Vorschau::nach_rechts_oben},
        {"knopf_vorschau_links", 1, 0, &Vorschau::nach_links},
        {"knopf_vorschau_gesamt", 1, 1, &Vorschau::gesamt},
        {"knopf_vorschau_rechts", 1, 2, &Vorschau::nach_rechts},
        {"knopf_vorschau_links_unten", 2, 0, &Vorschau::nach_links_unten},
        {"knopf_vorschau_unten", 2, 1, &Vorschau::nach_unten},
        {"knopf_vorschau_rechts_unten", 2, 2, &Vorschau::nach_rechts_unten},
    };
    for (const Knopf& k : knoepfe) {
        QPushButton* b = navigationsknopf(k.name);
        if (k.aktion == &Vorschau::gesamt) b->setFixedWidth(56);
        ansicht_knoepfe_.push_back(b);
        beschriften(b);
        connect(b, &QPushButton::clicked, vorschau_, k.aktion);
        pfeile->addWidget(b, k.zeile, k.spalte, Qt::AlignCenter);
    }
    return pfeile;
}

// Zoom in, zoom out and refresh.
QLayout* Eingabe::zoomknoepfe_bauen() {
    auto* zoom = new QVBoxLayout;
    zoom->setSpacing(2);
    for (const auto& [name, aktion] : {std::pair{"knopf_zoom_rein", &Vorschau::zoom_rein},
                                       std::pair{"knopf_zoom_raus", &Vorschau::zoom_raus},
                                       std::pair{"knopf_neu_zeichnen", &Vorschau::auffrischen}}) {
        QPushButton* b = navigationsknopf(name);
        // As wide as the longest caption in the language shown.
        b->setMinimumWidth(72);
        b->setMaximumWidth(QWIDGETSIZE_MAX);
        ansicht_knoepfe_.push_back(b);
        beschriften(b);
        connect(b, &QPushButton::clicked, vorschau_, aktion);
        zoom->addWidget(b);
    }
    return zoom;
}

QToolButton* Eingabe::hilfe_knopf(const std::string& rolle, int n) {
    auto* k = new QToolButton;
    k->setObjectName(QString::fromStdString("hilfe_" + rolle));
    k->setText("?");
    k->setFixedSize(22, 22);
    k->setFocusPolicy(Qt::NoFocus);
    connect(k, &QToolButton::clicked, this, [this, n] { hilfe_zeigen(n); });
    return k;
}

QWidget* Eingabe::reiter_seite(const Reiter& r) {
    auto* seite = new QWidget;
    auto* g = new QGridLayout(seite);
    g->setVerticalSpacing(3);
    g->setColumnStretch(1, 1);
    const int wertbreite = fontMetrics().horizontalAdvance("0000");
    int zeile = 0;
    for (const Steuergruppe& gruppe : r.gruppen) {
        const int erste = zeile;
        for (const Steuerzeile& z : gruppe.zeilen) {
            const std::string name = z.name;
            if (name == "Check_Mauer") {
                check_mauer_ = new QCheckBox;
                check_mauer_->setObjectName(z.name);
                beschriften(check_mauer_, z.beschriftung);
                g->addWidget(check_mauer_, zeile, 0, 1, 3);
                connect(check_mauer_, &QCheckBox::toggled, this, [this](bool an) {
                    steuerwerte_.check_mauer = an ? 1 : 0;
                    einstellung_geaendert();
                });
                ++zeile;
                continue;
            }
            auto* label = new QLabel;
            label->setObjectName(QString::fromStdString("Label_" + name));
            beschriften(label, z.beschriftung);
            g->addWidget(label, zeile, 0);
            if (name.rfind("Combo_", 0) == 0) {
                auto* c = new QComboBox;
                c->setObjectName(z.name);
                c->setSizeAdjustPolicy(QComboBox::AdjustToContents);
                c->setMinimumWidth(96);
                listen_[name] = c;
                g->addWidget(c, zeile, 1, 1, 2, Qt::AlignLeft);
                connect(c, &QComboBox::currentIndexChanged, this,
                        [this, name](int i) { liste_geaendert(name, i); });
            } else {
                const Schieberegler* regler = steuerwerte_.finde_schieber(name);
                auto* s = new QSlider(Qt::Horizontal);
                s->setObjectName(z.name);
                if (regler) s->setRange(regler->min, regler->max);
                s->setPageStep(s->maximum() - s->minimum() > 10 ? 10 : 1);
                auto* wert = new QLabel;
                wert->setMinimumWidth(wertbreite);
                wert->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
                schieber_[name] = s;
                schieber_werte_[name] = wert;
                g->addWidget(s, zeile, 1);
                g->addWidget(wert, zeile, 2);
                connect(s, &QSlider::valueChanged, this,
                        [this, name](int v) { schieber_geaendert(name, v); });
            }
            ++zeile;
        }
        if (gruppe.grafik) {
            grafik_ = new Groessenverteilung;
            g->addWidget(grafik_, zeile, 0, 1, 3);
            ++zeile;
        }
        g->addWidget(hilfe_knopf(gruppe.zeilen.front().name, gruppe.hilfe), erste, 3, Qt::AlignTop);
        g->setRowMinimumHeight(zeile, 4); // a little air between groups
        ++zeile;
    }
    g->setRowStretch(zeile, 1);
    return seite;
}

QAction* Eingabe::aktion(QMenu* menue, const char* name) {
    QAction* a = menue->addAction(QString());
    a->setObjectName(name);
    beschriften(a);
    return a;
}

QMenu* Eingabe::untermenue(QMenu* menue, const char* name) {
    QMenu* m = menue->addMenu(QString());
    m->setObjectName(name);
    m->menuAction()->setObjectName(QString(name) + "_aktion");
    beschriften(m);
    return m;
}

void Eingabe::menues_aufbauen() {
    QMenuBar* leiste = menuBar();
    auto hauptmenue = [&](const char* name) {
        QMenu* m = leiste->addMenu(QString());
        m->setObjectName(name);
        beschriften(m);
        return m;
    };

    QMenu* m = hauptmenue("menue_stadtplan");
    neu_ = aktion(m, "menue_stadtplan_neu");
    neu_->setShortcut(QKeySequence::New);
    connect(neu_, &QAction::triggered, this, &Eingabe::lauf_starten);
    karte_laden_ = aktion(m, "menue_stadtplan_laden");
    karte_laden_->setShortcut(QKeySequence::Open);
    connect(karte_laden_, &QAction::triggered, this, &Eingabe::stadtplan_laden);
    karte_speichern_ = aktion(m, "menue_stadtplan_speichern_unter");
    karte_speichern_->setShortcut(QKeySequence::Save);
    connect(karte_speichern_, &QAction::triggered, this, &Eingabe::stadtplan_speichern_unter);
    drucken_ = aktion(m, "menue_stadtplan_drucken");
    drucken_->setShortcut(QKeySequence::Print);
    connect(drucken_, &QAction::triggered, this, &Eingabe::stadtplan_drucken);
    geojson_ = aktion(m, "menue_stadtplan_geojson");
    connect(geojson_, &QAction::triggered, this, &Eingabe::geojson_exportieren);
    m->addSeparator();
    connect(aktion(m, "menue_hilfe_stadtplan"), &QAction::triggered, this,
            [this] { meldung(text_hilfe_stadtplan); });
    m->addSeparator();
    QAction* beenden = aktion(m, "menue_programm_beenden");
    beenden->setShortcut(QKeySequence::Quit);
    connect(beenden, &QAction::triggered, this, &Eingabe::close);

    m = hauptmenue("menue_stadteinstellungen");
    einst_laden_ = aktion(m, "menue_stadteinstellungen_laden");
    connect(einst_laden_, &QAction::triggered, this, &Eingabe::einstellungen_laden);
    einst_speichern_ = aktion(m, "menue_stadteinstellungen_speichern");
    connect(einst_speichern_, &QAction::triggered, this, &Eingabe::einstellungen_speichern);
    einst_speichern_unter_ = aktion(m, "menue_stadteinstellungen_speichernunter");
    connect(einst_speichern_unter_, &QAction::triggered, this,
            &Eingabe::einstellungen_speichern_unter);
    m->addSeparator();
    connect(aktion(m, "menue_hilfe_stadteinstellungen"), &QAction::triggered, this,
            [this] { meldung(text_hilfe_stadteinstellungen); });

    // Print settings: the sheet layout, the annotations, the labels and the
    // buildings' print style.
    m = hauptmenue("menue_druck");
    QAction* einseitig = aktion(m, "menue_druck_einseitig");
    layout_aktionen_.emplace_back(einseitig, 1);
    QMenu* matrix = untermenue(m, "menue_druck_matrix");
    for (int n : {2, 3, 4, 5, 7, 9}) {
        const std::string name = "menue_druck_" + std::to_string(n) + "x" + std::to_string(n);
        layout_aktionen_.emplace_back(aktion(matrix, name.c_str()), n);
    }
    for (auto& [a, n] : layout_aktionen_) {
        a->setCheckable(true);
        connect(a, &QAction::triggered, this, [this, a = a, n = n] { druck_layout(a, n); });
    }
    ausschnitt_ = aktion(m, "menue_druck_ausschnitt");
    ausschnitt_->setCheckable(true);
    connect(ausschnitt_, &QAction::triggered, this, &Eingabe::druck_ausschnitt_oeffnen);
    m->addSeparator();

    auto option = [&](QMenu* menue, const char* name, bool Druckoptionen::*feld) {
        QAction* a = aktion(menue, name);
        a->setCheckable(true);
        connect(a, &QAction::toggled, this,
                [this, feld](bool an) { daten_.druckoptionen.*feld = an; });
        options_aktionen_.emplace_back(a, feld);
    };
    QMenu* blatt = untermenue(m, "menue_blatt");
    option(blatt, "menue_druck_bezeichnung", &Druckoptionen::druck_bezeichnung);
    option(blatt, "menue_druck_schnittmarken", &Druckoptionen::druck_schnittmarken);
    option(blatt, "menue_druck_massstab", &Druckoptionen::druck_massstab);
    option(blatt, "menue_druck_kompass", &Druckoptionen::druck_kompass);
    option(blatt, "menue_druck_planquadrate", &Druckoptionen::druck_planquadrate);
    QMenu* nummern = untermenue(m, "menue_druck_kennzeichnung");
    option(nummern, "menue_druck_kennzeichnung_wege", &Druckoptionen::kennzeichnung_wege);
    option(nummern, "menue_druck_kennzeichnung_haeuser", &Druckoptionen::kennzeichnung_haeuser);
    option(nummern, "menue_druck_kennzeichnung_plaetze", &Druckoptionen::kennzeichnung_plaetze);
    option(nummern, "menue_druck_kennzeichnung_parks", &Druckoptionen::kennzeichnung_parks);
    nummern->addSeparator();
    QMenu* groesse = untermenue(nummern, "menue_druck_nummerierung_schriftgroesse");
    auto* groessen = new QActionGroup(this);
    for (int pt : {3, 4, 5, 6, 8, 10, 12}) {
        const std::string name = "menue_druck_nummerierung_schriftgroesse_" + std::to_string(pt);
        QAction* a = aktion(groesse, name.c_str());
        a->setCheckable(true);
        groessen->addAction(a);
        schriftgroessen_.emplace_back(a, pt);
        connect(a, &QAction::triggered, this,
                [this, pt] { daten_.druckoptionen.nummer_schriftgroesse = pt; });
    }
    QMenu* gebaeude = untermenue(m, "menue_gebaeude");
    option(gebaeude, "menue_gebaeude_nur_umriss", &Druckoptionen::gebaeude_nur_umriss);
    option(gebaeude, "menue_gebaeude_hohe_aufloesung", &Druckoptionen::gebaeude_hohe_aufloesung);
    gebaeude->addSeparator();
    connect(aktion(gebaeude, "menue_druck_gebaeude_info"), &QAction::triggered, this,
            [this] { meldung(text_gebaeude_info); });
    m->addSeparator();
    connect(aktion(m, "menue_farben"), &QAction::triggered, this, &Eingabe::farben_oeffnen);

    m = hauptmenue("menue_sprache");
    auto* sprachen = new QActionGroup(this);
    deutsch_ = aktion(m, "menue_deutsch");
    englisch_ = aktion(m, "menue_englisch");
    for (QAction* a : {deutsch_, englisch_}) {
        a->setCheckable(true);
        sprachen->addAction(a);
    }
    connect(deutsch_, &QAction::triggered, this, [this] { sprache_setzen(Sprache::deutsch); });
    connect(englisch_, &QAction::triggered, this, [this] { sprache_setzen(Sprache::englisch); });

    m = hauptmenue("menue_info");
    connect(aktion(m, "menue_anleitung"), &QAction::triggered, this,
            [this] { anleitung_zeigen(); });
    connect(aktion(m, "menue_updates"), &QAction::triggered, this,
            [this] { seite_oeffnen(adresse_updates(sprache_)); });
    connect(aktion(m, "menue_kontakt"), &QAction::triggered, this,
            [this] { seite_oeffnen(adresse_kontakt(programm_version)); });
    connect(aktion(m, "menue_tos"), &QAction::triggered, this,
            [this] { meldung(text_nutzungsbedingungen); });
    m->addSeparator();
    connect(aktion(m, "menue_donate"), &QAction::triggered, this, &Eingabe::spende_oeffnen);
}

} // namespace tarvello
