#include "app/eingabe.h"

#include <QAction>
#include <QActionGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSettings>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>

#include "app/anleitung.h"
#include "app/anzeigen.h"
#include "app/dialog_bildexport.h"
#include "app/dialog_druck_ausschnitt.h"
#include "app/dialog_farben.h"
#include "app/dialog_kennzeichnung.h"
#include "app/dialog_stadtname.h"
#include "app/fensterwirt.h"
#include "app/vorschau.h"
#include "core/uhr.h"
#include "core/version.h"
#include "core/vorlagen.h"
#include "core/zufall.h"
#include "files/einstellungsdatei.h"
#include "files/farbspeicher.h"
#include "files/geojson.h"
#include "files/kartendatei.h"
#include "render/druckausgabe.h"

namespace tarvello {

namespace {

constexpr const char* einstellungen_organisation = "Tarvello";
constexpr const char* einstellungen_anwendung = "tarvello";
constexpr const char* schluessel_geometrie = "fenster/geometrie";
constexpr int start_vorlage = 8;

const Zweisprachig knopf_seite_oeffnen = {"Seite öffnen", "Open page"};

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

void text_setzen(QObject* o, const QString& t) {
    if (auto* m = qobject_cast<QMenu*>(o))
        m->setTitle(t);
    else if (auto* a = qobject_cast<QAction*>(o))
        a->setText(t);
    else if (auto* e = qobject_cast<QLineEdit*>(o))
        e->setPlaceholderText(t);
    else if (auto* b = qobject_cast<QAbstractButton*>(o))
        b->setText(t);
    else if (auto* l = qobject_cast<QLabel*>(o))
        l->setText(t);
}

QPushButton* navigationsknopf(const char* name) {
    auto* k = new QPushButton;
    k->setObjectName(name);
    k->setFixedSize(34, 30);
    k->setFocusPolicy(Qt::NoFocus);
    return k;
}

// A file or drawing error on the status line, in both languages so that a
// language switch words it again.
Status meldung_status(const Ergebnis& e) {
    return {Statusart::meldung, e};
}

} // namespace

Eingabe::Eingabe(Programmdaten& daten, QWidget* parent) : QMainWindow(parent), daten_(daten) {
    setObjectName("Eingabe");
    adresse_oeffnen = [](const QUrl& u) { return QDesktopServices::openUrl(u); };
    sprache_ = Sprache::englisch;
    aufbauen();
    menues_aufbauen();
    sprachversionen();
    setWindowTitle(QString(" Tarvello ") + programm_version);

    // The print menu starts from the options the program starts with.
    druckmenue_abgleichen();
    daten_.farben = farben_laden();

    nordwahl_->waehlen(0);
    tab_->setCurrentIndex(0);
    vorlage_waehlen(start_vorlage);
    einstellungen_geaendert_ = false;
    bedienung_schalten();

    QSettings speicher(einstellungen_organisation, einstellungen_anwendung);
    if (!restoreGeometry(speicher.value(schluessel_geometrie).toByteArray())) resize(1220, 800);
    status_setzen({});
}

Eingabe::~Eingabe() = default;

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
    auto* generator = new QPushButton;
    generator->setObjectName("Command_Stadtname");
    beschriften(generator);
    connect(generator, &QPushButton::clicked, this, &Eingabe::stadtname_generator_oeffnen);
    zeile->addWidget(label);
    zeile->addWidget(stadtname_, 1);
    zeile->addWidget(hilfe_knopf(1));
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
    status_->setObjectName("Label_aktion_aktuell");
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
    start_ = new QPushButton;
    start_->setObjectName("Command2");
    start_->setMinimumWidth(96);
    start_->setDefault(true);
    beschriften(start_);
    connect(start_, &QPushButton::clicked, this, &Eingabe::lauf_starten);
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
    abbruch_knopf_ = new QPushButton;
    abbruch_knopf_->setObjectName("Command_abbruch");
    abbruch_knopf_->setMinimumWidth(96);
    beschriften(abbruch_knopf_);
    connect(abbruch_knopf_, &QPushButton::clicked, this, &Eingabe::lauf_abbrechen);
    zeile->addWidget(start_);
    zeile->addSpacing(8);
    zeile->addWidget(label);
    zeile->addWidget(startwert_, 1);
    zeile->addSpacing(8);
    zeile->addWidget(abbruch_knopf_);
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
    nord->addWidget(hilfe_knopf(22));
    nord->addStretch(1);
    unten->addLayout(nord);
    unten->addStretch(1);

    auto* ausgabe = new QVBoxLayout;
    auto* nummern = new QHBoxLayout;
    auto* kennzeichnung = new QPushButton;
    kennzeichnung->setObjectName("Command6");
    beschriften(kennzeichnung);
    connect(kennzeichnung, &QPushButton::clicked, this, &Eingabe::kennzeichnung_oeffnen);
    nummern->addWidget(kennzeichnung, 1);
    nummern->addWidget(hilfe_knopf(17));
    ausgabe->addLayout(nummern);
    grafikexport_ = new QPushButton;
    grafikexport_->setObjectName("Command_grafikexport");
    beschriften(grafikexport_);
    connect(grafikexport_, &QPushButton::clicked, this, &Eingabe::bildexport_oeffnen);
    ausgabe->addWidget(grafikexport_);
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
        {"Command_Vorschau_lo", 0, 0, &Vorschau::nach_links_oben},
        {"Command_Vorschau_rauf", 0, 1, &Vorschau::nach_oben},
        {"Command_Vorschau_ro", 0, 2, &Vorschau::nach_rechts_oben},
        {"Command_Vorschau_links", 1, 0, &Vorschau::nach_links},
        {"Command_Vorschau_gesamt", 1, 1, &Vorschau::gesamt},
        {"Command_Vorschau_rechts", 1, 2, &Vorschau::nach_rechts},
        {"Command_Vorschau_lu", 2, 0, &Vorschau::nach_links_unten},
        {"Command_Vorschau_runter", 2, 1, &Vorschau::nach_unten},
        {"Command_Vorschau_ru", 2, 2, &Vorschau::nach_rechts_unten},
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
    for (const auto& [name, aktion] : {std::pair{"Command_zoomin", &Vorschau::zoom_rein},
                                       std::pair{"Command_zoomout", &Vorschau::zoom_raus},
                                       std::pair{"Command61", &Vorschau::auffrischen}}) {
        QPushButton* b = navigationsknopf(name);
        b->setFixedWidth(72);
        ansicht_knoepfe_.push_back(b);
        beschriften(b);
        connect(b, &QPushButton::clicked, vorschau_, aktion);
        zoom->addWidget(b);
    }
    return zoom;
}

QToolButton* Eingabe::hilfe_knopf(int n) {
    auto* k = new QToolButton;
    k->setObjectName(QString("Command%1").arg(n));
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
        g->addWidget(hilfe_knopf(gruppe.hilfe), erste, 3, Qt::AlignTop);
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

// --- captions and language -----------------------------------------------------

void Eingabe::beschriften(QObject* obj, const Zweisprachig& text) {
    beschriftete_.push_back({obj, text});
    text_setzen(obj, text.in(sprache_));
}

void Eingabe::beschriften(QObject* obj) {
    if (const Zweisprachig* t = beschriftung(obj->objectName().toStdString())) beschriften(obj, *t);
}

void Eingabe::sprache_setzen(Sprache s) {
    sprache_ = s;
    sprachversionen();
    // Open dialogs follow, keeping what the user entered in them.
    if (kennzeichnung_) kennzeichnung_->sprache_setzen(s);
    if (bildexport_) bildexport_->sprache_setzen(s);
    if (farben_) farben_->sprache_setzen(s);
    if (stadtname_dialog_) stadtname_dialog_->sprache_setzen(s);
    if (druck_ausschnitt_) druck_ausschnitt_->sprache_setzen(s);
    if (anleitungsfenster_)
        anleitungsfenster_->setWindowTitle(beschriftung("menue_anleitung")->in(sprache_));
}

void Eingabe::sprachversionen() {
    for (const Beschriftet& b : beschriftete_)
        if (b.obj) text_setzen(b.obj, b.text.in(sprache_));
    for (const auto& [seite, titel] : reiter_titel_)
        if (seite) tab_->setTabText(tab_->indexOf(seite), titel.in(sprache_));
    listen_fuellen();
    if (deutsch_) deutsch_->setChecked(sprache_ == Sprache::deutsch);
    if (englisch_) englisch_->setChecked(sprache_ == Sprache::englisch);
    status_->text_setzen(QString::fromStdString(tarvello::status_text(letzter_status_, sprache_)));
}

void Eingabe::listen_fuellen() {
    for (const ListenSteuerung& l : steuerwerte_.listen) {
        auto it = listen_.find(l.name);
        if (it == listen_.end()) continue;
        QComboBox* c = it->second;
        const QSignalBlocker sperre(c);
        c->clear();
        for (const std::string& e : l.eintraege(sprache_))
            c->addItem(QString::fromStdString(e));
        c->setCurrentIndex(l.index);
    }
    const QSignalBlocker sperre(vorlagen_);
    const int gewaehlt = vorlagen_->currentIndex();
    vorlagen_->clear();
    for (int i = 0; i < n_vorlagen; ++i)
        vorlagen_->addItem(QString::fromStdString(vorlage_name(i, sprache_)));
    vorlagen_->setCurrentIndex(gewaehlt);
}

// --- control states ----------------------------------------------------------

void Eingabe::steuerwerte_setzen(const Steuerwerte& s) {
    steuerwerte_ = s;
    for (const ListenSteuerung& l : steuerwerte_.listen) {
        auto it = listen_.find(l.name);
        if (it == listen_.end()) continue;
        const QSignalBlocker sperre(it->second);
        it->second->setCurrentIndex(l.index);
    }
    for (const Schieberegler& r : steuerwerte_.schieber) {
        auto it = schieber_.find(r.name);
        if (it == schieber_.end()) continue;
        const QSignalBlocker sperre(it->second);
        it->second->setValue(r.wert);
        schieber_werte_[r.name]->setNum(r.wert);
    }
    {
        const QSignalBlocker sperre(check_mauer_);
        check_mauer_->setChecked(steuerwerte_.check_mauer == 1);
    }
    grafik_auffrischen();
}

void Eingabe::einstellungen_geladen(const Steuerwerte& s) {
    steuerwerte_setzen(s);
    const QSignalBlocker sperre(vorlagen_);
    vorlagen_->setCurrentIndex(-1);
    einstellungen_geaendert_ = false;
    bedienung_schalten();
}

void Eingabe::vorlage_waehlen(int index) {
    if (beschaeftigt()) return;
    Steuerwerte s = steuerwerte_;
    if (!vorlage_anwenden(s, index)) return;
    {
        const QSignalBlocker sperre(vorlagen_);
        vorlagen_->setCurrentIndex(index);
    }
    steuerwerte_setzen(s);
}

int Eingabe::vorlage() const {
    return vorlagen_->currentIndex();
}

QString Eingabe::vorlage_text() const {
    return vorlagen_->currentIndex() < 0 ? vorlagen_->placeholderText() : vorlagen_->currentText();
}

QString Eingabe::stadtname() const {
    return stadtname_->text();
}

void Eingabe::stadtname_setzen(const QString& name) {
    stadtname_->setText(name);
}

int Eingabe::nord() const {
    return nordwahl_->gewaehlt();
}

void Eingabe::nord_setzen(int index) {
    nordwahl_->waehlen(index);
}

void Eingabe::liste_geaendert(const std::string& name, int index) {
    ListenSteuerung* l = steuerwerte_.finde_liste(name);
    if (!l || index < 0) return;
    l->index = index;
    if (name == "Combo_haus_gxy_min" || name == "Combo_haus_gxy_max") grafik_auffrischen();
    einstellung_geaendert();
}

void Eingabe::schieber_geaendert(const std::string& name, int wert) {
    Schieberegler* r = steuerwerte_.finde_schieber(name);
    if (!r) return;
    r->wert = wert;
    schieber_werte_[name]->setNum(wert);
    if (name.rfind("Slider_haeuser_groessenverteilung_", 0) == 0) grafik_auffrischen();
    einstellung_geaendert();
}

void Eingabe::einstellung_geaendert() {
    einstellungen_geaendert_ = true;
    bedienung_schalten();
}

void Eingabe::grafik_auffrischen() {
    if (!grafik_) return;
    const float c =
        static_cast<float>(steuerwerte_.wert("Slider_haeuser_groessenverteilung_zentrum")) / 100.0f;
    const float b0 =
        static_cast<float>(steuerwerte_.wert("Slider_haeuser_groessenverteilung_breite")) / 100.0f;
    grafik_->setzen(steuerwerte_.zahl("Combo_haus_gxy_min"),
                    steuerwerte_.zahl("Combo_haus_gxy_max"), c, groessenverteilung_breite(b0));
}

// --- enabled states ------------------------------------------------------------

void Eingabe::bedienung_schalten() {
    const bool frei = !beschaeftigt();
    const bool plan = frei && daten_.modell.plan_vorhanden;
    start_->setEnabled(frei);
    neu_->setEnabled(frei);
    abbruch_knopf_->setEnabled(beschaeftigt() && !abbruch_);
    vorlagen_->setEnabled(frei);
    // The controls lock during a run; their help buttons stay available.
    for (QWidget* seite : seiten_)
        for (QWidget* kind : seite->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            if (!qobject_cast<QToolButton*>(kind)) kind->setEnabled(frei);
    startwert_->setEnabled(frei);
    karte_laden_->setEnabled(frei);
    einst_laden_->setEnabled(frei);
    einst_speichern_unter_->setEnabled(frei);
    einst_speichern_->setEnabled(frei && einstellungen_geaendert_);
    karte_speichern_->setEnabled(plan);
    drucken_->setEnabled(plan);
    geojson_->setEnabled(plan);
    grafikexport_->setEnabled(plan);
    // A print or export draws the map as it is; the view stays put meanwhile.
    for (QPushButton* b : ansicht_knoepfe_)
        b->setEnabled(!dateiarbeit_);
    vorschau_->setEnabled(!dateiarbeit_);
}

void Eingabe::druck_layout(QAction* gewaehlt, int blaetter) {
    for (auto& [a, n] : layout_aktionen_)
        a->setChecked(false);
    ausschnitt_->setChecked(false);
    gewaehlt->setChecked(true);
    daten_.druckoptionen.ausschnitt_modus = false;
    daten_.druckoptionen.blaetter_je_seite = blaetter;
}

void Eingabe::druckmenue_abgleichen() {
    const Druckoptionen& o = daten_.druckoptionen;
    for (auto& [a, n] : layout_aktionen_)
        a->setChecked(!o.ausschnitt_modus && n == o.blaetter_je_seite);
    ausschnitt_->setChecked(o.ausschnitt_modus);
    for (auto& [a, feld] : options_aktionen_) {
        const QSignalBlocker sperre(a);
        a->setChecked(o.*feld);
    }
    for (auto& [a, pt] : schriftgroessen_)
        a->setChecked(pt == o.nummer_schriftgroesse);
}

// --- status --------------------------------------------------------------------

void Eingabe::status_setzen(const Status& status) {
    letzter_status_ = status;
    status_->text_setzen(QString::fromStdString(tarvello::status_text(letzter_status_, sprache_)));
}

QString Eingabe::status_text() const {
    return status_->voller_text();
}

void Eingabe::fortschritt_setzen(float prozent) {
    fortschritt_->setzen(prozent);
}

float Eingabe::fortschritt() const {
    return fortschritt_->prozent();
}

// --- runs ------------------------------------------------------------------------

void Eingabe::lauf_starten() {
    if (beschaeftigt()) return;
    std::uint64_t startwert = 0;
    const QString text = startwert_->text().trimmed();
    const bool ziehen = text.isEmpty() || startwert_gezogen_;
    if (ziehen) {
        startwert = startwert_ziehen();
    } else {
        const std::optional<std::uint64_t> gelesen = startwert_lesen(text.toStdString());
        if (!gelesen) {
            meldung(text_startwert_ungueltig);
            return;
        }
        startwert = *gelesen;
    }

    // The field shows the seed of the run while it works, not the last one.
    startwert_->setText(QString::number(startwert));
    startwert_gezogen_ = ziehen;
    // A drawn seed is shown in grey: the next Start draws a new one unless
    // the user edits it.
    startwert_->setStyleSheet(ziehen ? "color: gray;" : QString());

    laeuft_ = true;
    abbruch_ = false;
    bedienung_schalten();
    status_setzen({});
    fortschritt_setzen(0);

    const Laufbericht bericht = [&] {
        // The host shows the run's last elements when it ends, before any message.
        Fensterwirt wirt(*this);
        return stadtplan_erstellen({steuerwerte_, startwert, nummernzahlen(daten_.modell)},
                                   daten_.modell, system_uhr(), wirt);
    }();
    laeuft_ = false;
    letztes_ende_ = bericht.ende;
    letzter_startwert_ = startwert;
    if (bericht.ende == Laufende::fehler || bericht.ende == Laufende::abgelehnt) {
        status_setzen(meldung_status(bericht.ergebnis()));
        meldung(qtext(bericht.ergebnis(), sprache_));
    }
    bedienung_schalten();
    emit lauf_beendet(bericht.ende);

    if (schliessen_nach_lauf_) {
        schliessen_nach_lauf_ = false;
        close();
    }
}

void Eingabe::lauf_abbrechen() {
    if (!beschaeftigt() || abbruch_) return;
    abbruch_ = true;
    status_setzen({Statusart::anwender_abbruch});
    fortschritt_setzen(0);
    bedienung_schalten();
}

void Eingabe::karte_geladen() {
    if (daten_.modell.mauer_parameter == 1) {
        const QSignalBlocker sperre(check_mauer_);
        check_mauer_->setChecked(true);
        steuerwerte_.check_mauer = 1;
    }
    vorschau_->zuruecksetzen();
    vorschau_->zeichnen();
    bedienung_schalten();
}

void Eingabe::closeEvent(QCloseEvent* e) {
    if (beschaeftigt()) {
        // The run is on the stack below this event: stop it, and close once
        // it has returned.
        schliessen_nach_lauf_ = true;
        lauf_abbrechen();
        e->ignore();
        return;
    }
    QSettings speicher(einstellungen_organisation, einstellungen_anwendung);
    speicher.setValue(schluessel_geometrie, saveGeometry());
    e->accept();
}

// --- messages and commands -------------------------------------------------------

void Eingabe::hilfe_zeigen(int n) {
    if (const Zweisprachig* t = knopf_hilfe(n)) meldung(*t);
}

void Eingabe::meldung(const Zweisprachig& text) {
    meldung(text.in(sprache_));
}

void Eingabe::meldung(const QString& text) {
    letzte_meldung_ = text;
    // Not modal: a run in progress keeps going while the box is open.
    auto* box = new QMessageBox(QMessageBox::Information, " Tarvello", text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void Eingabe::seite_oeffnen(const QString& adresse) {
    // Without a handler the address is shown, to be copied.
    if (!adresse_oeffnen(QUrl(adresse)))
        meldung(text_seite_nicht_geoeffnet.in(sprache_).arg(adresse));
}

QWidget* Eingabe::anleitung_zeigen() {
    const QString datei = anleitung_datei(sprache_);
    if (datei.isEmpty()) {
        seite_oeffnen(adresse_anleitung(sprache_));
        return nullptr;
    }
    if (adresse_oeffnen(QUrl::fromLocalFile(datei))) return nullptr;
    // No desktop handler for the page: the program shows it itself, one
    // window that follows the language of the last call.
    if (!anleitungsfenster_) {
        anleitungsfenster_ = new QDialog(this);
        anleitungsfenster_->setObjectName("Anleitung");
        anleitungsfenster_->setModal(false);
        auto* browser = new QTextBrowser(anleitungsfenster_);
        browser->setObjectName("Anleitung_Text");
        browser->setOpenExternalLinks(true);
        auto* schicht = new QVBoxLayout(anleitungsfenster_);
        schicht->setContentsMargins(0, 0, 0, 0);
        schicht->addWidget(browser);
        anleitungsfenster_->resize(760, 640);
    }
    anleitungsfenster_->setWindowTitle(beschriftung("menue_anleitung")->in(sprache_));
    auto* browser = anleitungsfenster_->findChild<QTextBrowser*>("Anleitung_Text");
    browser->setSource(QUrl::fromLocalFile(datei));
    anleitungsfenster_->show();
    anleitungsfenster_->raise();
    return anleitungsfenster_;
}

bool Eingabe::fehler_zeigen(const Ergebnis& e) {
    if (e.gut()) return false;
    status_setzen(meldung_status(e));
    fortschritt_setzen(0);
    meldung(qtext(e, sprache_));
    return true;
}

// File dialogs show their filters in German only, as the files are named.
namespace {
QString mit_endung(QString datei, const char* endung) {
    if (!datei.isEmpty() && QFileInfo(datei).suffix().isEmpty()) datei += endung;
    return datei;
}
} // namespace

void Eingabe::stadtplan_laden() {
    if (beschaeftigt()) return;
    const QString datei = QFileDialog::getOpenFileName(
        this, QString(), kartendatei_, QString(kartendatei_filter) + ";;alle Dateien (*)");
    if (datei.trimmed().isEmpty()) return;
    karte_laden_aus(datei);
}

bool Eingabe::karte_laden_aus(const QString& datei) {
    if (beschaeftigt()) return false;
    kartendatei_ = datei;
    dateiarbeit_ = true;
    abbruch_ = false;
    bedienung_schalten();
    Fensterwirt wirt(*this);
    Kartenkopf kopf;
    const Ergebnis e = tarvello::stadtplan_laden(datei, daten_.modell, kopf, &wirt);
    dateiarbeit_ = false;
    const bool abgebrochen = abbruch_;
    abbruch_ = false;
    bedienung_schalten();
    schliessen_falls_verlangt();
    if (abgebrochen && !e.gut()) {
        status_setzen({Statusart::anwender_abbruch});
        return false;
    }
    if (fehler_zeigen(e)) return false;
    stadtname_setzen(kopf.stadtname);
    nord_setzen(kopf.nord);
    karte_geladen();
    return true;
}

void Eingabe::stadtplan_speichern_unter() {
    if (beschaeftigt() || !daten_.modell.plan_vorhanden) return;
    const QString datei = mit_endung(
        QFileDialog::getSaveFileName(this, QString(), kartendatei_, kartendatei_filter), ".qls");
    if (datei.trimmed().isEmpty()) return;
    karte_speichern_als(datei);
}

bool Eingabe::karte_speichern_als(const QString& datei) {
    if (beschaeftigt() || !daten_.modell.plan_vorhanden) return false;
    kartendatei_ = datei;
    dateiarbeit_ = true;
    abbruch_ = false;
    bedienung_schalten();
    Fensterwirt wirt(*this);
    const Ergebnis e =
        tarvello::stadtplan_speichern(datei, daten_.modell, Kartenkopf{stadtname(), nord()}, &wirt);
    dateiarbeit_ = false;
    const bool abgebrochen = abbruch_;
    abbruch_ = false;
    bedienung_schalten();
    schliessen_falls_verlangt();
    if (abgebrochen && !e.gut()) {
        status_setzen({Statusart::anwender_abbruch});
        return false;
    }
    return !fehler_zeigen(e);
}

void Eingabe::geojson_exportieren() {
    if (beschaeftigt() || !daten_.modell.plan_vorhanden) return;
    // Beside the map file when there is one.
    QString vorschlag;
    if (!kartendatei_.isEmpty()) {
        const QFileInfo karte(kartendatei_);
        vorschlag = karte.dir().filePath(karte.completeBaseName() + ".geojson");
    }
    const QString datei = mit_endung(
        QFileDialog::getSaveFileName(this, QString(), vorschlag, geojson_filter), ".geojson");
    if (datei.trimmed().isEmpty()) return;
    geojson_exportieren_als(datei);
}

bool Eingabe::geojson_exportieren_als(const QString& datei) {
    if (beschaeftigt() || !daten_.modell.plan_vorhanden) return false;
    return !fehler_zeigen(geojson_speichern(datei, daten_.modell, Kartenkopf{stadtname(), nord()}));
}

void Eingabe::stadtplan_drucken() {
    if (beschaeftigt() || !daten_.modell.plan_vorhanden) return;
    if (!drucker_) {
        drucker_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        drucker_->setPageOrientation(QPageLayout::Landscape);
    }
    // Cancelling the dialog prints nothing.
    QPrintDialog dialog(drucker_.get(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    drucken_auf(*drucker_);
}

bool Eingabe::drucken_auf(QPrinter& drucker) {
    if (beschaeftigt() || !daten_.modell.plan_vorhanden) return false;
    Ergebnis e;
    const bool gelaufen = arbeit_ausfuehren([&](Wirt& wirt) {
        const Zeichenauftrag auftrag{daten_.modell, daten_.farben, daten_.druckoptionen, {}, &wirt,
                                     stadtname(),   nord()};
        e = tarvello::stadtplan_drucken(auftrag, drucker);
    });
    if (!gelaufen) return false;
    switch (e.art()) {
    case Fehlerart::keiner:
        return true;
    case Fehlerart::abbruch:
        status_setzen({Statusart::anwender_abbruch});
        return false;
    case Fehlerart::kein_plan:
        return false;
    default:
        fehler_zeigen(e);
        return false;
    }
}

void Eingabe::einstellungen_laden() {
    if (beschaeftigt()) return;
    const QString datei =
        QFileDialog::getOpenFileName(this, QString(), einstellungsdatei_,
                                     QString(einstellungsdatei_filter) + ";;alle Dateien (*)");
    if (datei.trimmed().isEmpty()) return;
    einstellungen_laden_aus(datei);
}

bool Eingabe::einstellungen_laden_aus(const QString& datei) {
    if (beschaeftigt()) return false;
    einstellungsdatei_ = datei;
    Steuerwerte s = steuerwerte_;
    if (fehler_zeigen(tarvello::einstellungen_laden(datei, s))) return false;
    einstellungen_geladen(s);
    return true;
}

void Eingabe::einstellungen_speichern() {
    if (beschaeftigt()) return;
    if (einstellungsdatei_.isEmpty()) {
        einstellungen_speichern_unter();
        return;
    }
    einstellungen_speichern_als(einstellungsdatei_);
}

void Eingabe::einstellungen_speichern_unter() {
    if (beschaeftigt()) return;
    const QString datei = mit_endung(
        QFileDialog::getSaveFileName(this, QString(), einstellungsdatei_, einstellungsdatei_filter),
        ".qle");
    if (datei.trimmed().isEmpty()) return;
    einstellungen_speichern_als(datei);
}

bool Eingabe::einstellungen_speichern_als(const QString& datei) {
    if (beschaeftigt()) return false;
    einstellungsdatei_ = datei;
    if (fehler_zeigen(tarvello::einstellungen_speichern(datei, steuerwerte_))) return false;
    einstellungen_geaendert_ = false;
    bedienung_schalten();
    return true;
}

void Eingabe::druck_ausschnitt_oeffnen() {
    // Section mode is switched on by the dialog's Take only; while it is
    // open the item shows the section layout as chosen.
    ausschnitt_->setChecked(true);
    layout_aktionen_.front().first->setChecked(false);
    if (!druck_ausschnitt_) {
        druck_ausschnitt_ = new Druck_Ausschnitt(daten_.druckoptionen, sprache_, this);
        connect(druck_ausschnitt_, &Druck_Ausschnitt::uebernommen, this,
                &Eingabe::druckmenue_abgleichen);
        connect(druck_ausschnitt_, &Druck_Ausschnitt::drucken_verlangt, this,
                &Eingabe::stadtplan_drucken);
        // However it closes, the menu shows the layout that will print.
        connect(druck_ausschnitt_, &QDialog::finished, this, &Eingabe::druckmenue_abgleichen);
    }
    druck_ausschnitt_->setAttribute(Qt::WA_DeleteOnClose);
    druck_ausschnitt_->show();
    druck_ausschnitt_->raise();
    druck_ausschnitt_->activateWindow();
}

// --- dialogs ---------------------------------------------------------------------

// Dialogs are not modal: a run goes on while one is open. Each exists once;
// opening it again brings it to the front.
namespace {
template <typename D> void zeigen(QPointer<D>& dialog) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}
} // namespace

void Eingabe::farben_oeffnen() {
    if (!farben_) farben_ = new Farben(daten_.farben, sprache_, this);
    zeigen(farben_);
}

bool Eingabe::palette_oeffnen(const QString& datei) {
    farben_oeffnen();
    return farben_->palette_laden_aus(datei);
}

void Eingabe::kennzeichnung_oeffnen() {
    if (!kennzeichnung_) kennzeichnung_ = new Kennzeichnung(daten_.modell, sprache_, this);
    zeigen(kennzeichnung_);
}

void Eingabe::bildexport_oeffnen() {
    if (!daten_.modell.plan_vorhanden) return;
    if (!bildexport_) {
        bildexport_ = new Bildexport(*this);
        connect(bildexport_, &Bildexport::farben_gewuenscht, this, &Eingabe::farben_oeffnen);
    }
    zeigen(bildexport_);
}

void Eingabe::stadtname_generator_oeffnen() {
    if (!stadtname_dialog_) {
        stadtname_dialog_ = new Stadtname(sprache_, this);
        connect(stadtname_dialog_, &Stadtname::name_uebernommen, this, &Eingabe::stadtname_setzen);
    }
    zeigen(stadtname_dialog_);
}

void Eingabe::schliessen_falls_verlangt() {
    if (!schliessen_nach_lauf_) return;
    // The window was closed while a file was read or written; its caller is
    // still on the stack, so close once control is back in the event loop.
    schliessen_nach_lauf_ = false;
    QTimer::singleShot(0, this, &Eingabe::close);
}

bool Eingabe::arbeit_ausfuehren(const std::function<void(Wirt&)>& arbeit) {
    if (beschaeftigt()) return false;
    dateiarbeit_ = true;
    abbruch_ = false;
    bedienung_schalten();
    {
        Fensterwirt wirt(*this);
        arbeit(wirt);
    }
    dateiarbeit_ = false;
    abbruch_ = false;
    bedienung_schalten();
    schliessen_falls_verlangt();
    return true;
}

void Eingabe::spende_oeffnen() {
    auto* box = new QMessageBox(QMessageBox::Information, " Tarvello", text_spende.in(sprache_),
                                QMessageBox::Ok, this);
    QPushButton* oeffnen =
        box->addButton(knopf_seite_oeffnen.in(sprache_), QMessageBox::ActionRole);
    connect(oeffnen, &QPushButton::clicked, this,
            [this] { seite_oeffnen(adresse_spende(sprache_)); });
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    letzte_meldung_ = box->text();
    box->show();
}

} // namespace tarvello
