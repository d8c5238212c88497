// The main window's state: construction, captions and language, the
// control states, which commands are enabled, messages and the dialogs.
// Building the widgets, the file commands and the run live beside it.
#include "app/eingabe.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSignalBlocker>
#include <QSlider>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/anleitung.h"
#include "app/anzeigen.h"
#include "app/dialog_bildexport.h"
#include "app/dialog_druck_ausschnitt.h"
#include "app/dialog_farben.h"
#include "app/dialog_kennzeichnung.h"
#include "app/dialog_stadtname.h"
#include "app/programmsymbol.h"
#include "app/vorschau.h"
#include "core/version.h"
#include "core/vorlagen.h"
#include "files/farbspeicher.h"

namespace tarvello {

namespace {

constexpr const char* einstellungen_organisation = "Tarvello";
constexpr const char* einstellungen_anwendung = "tarvello";
constexpr const char* schluessel_geometrie = "fenster/geometrie";
constexpr int start_vorlage = 8;

const Zweisprachig knopf_seite_oeffnen = {"Seite öffnen", "Open page"};

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

} // namespace

Eingabe::Eingabe(Programmdaten& daten, QWidget* parent) : QMainWindow(parent), daten_(daten) {
    setObjectName("Eingabe");
    adresse_oeffnen = [this](const QUrl& u) { return desktop_oeffnen(u); };
    sprache_ = Sprache::englisch;
    aufbauen();
    menues_aufbauen();
    sprachversionen();
    setWindowTitle(QString("Tarvello ") + programm_version);
    setWindowIcon(programmsymbol());

    // The print menu starts from the options the program starts with.
    druckmenue_abgleichen();
    daten_.farben = farben_laden();

    nordwahl_->waehlen(0);
    tab_->setCurrentIndex(0);
    vorlage_waehlen(start_vorlage);
    einstellungen_geaendert_ = false;
    bedienung_schalten();

    QSettings speicher(einstellungen_organisation, einstellungen_anwendung);
    if (!restoreGeometry(speicher.value(schluessel_geometrie).toByteArray()))
        resize(startgroesse());
    status_setzen({});
}

QSize Eingabe::startgroesse() const {
    // 1220 x 800 where the screen has room; else what its free area holds
    // once the window manager's frame is added (the preview shrinks).
    QSize groesse(1220, 800);
    if (const QScreen* s = screen())
        groesse = groesse.boundedTo(s->availableSize() - QSize(16, 48));
    return groesse.expandedTo(minimumSizeHint());
}

Eingabe::~Eingabe() {
    // A browser that xdg-open started and still waits for is the user's:
    // it stays open when the window goes.
    for (const QPointer<QProcess>& p : oeffner_)
        if (p && p->state() != QProcess::NotRunning) {
            p->disconnect();
            p->setParent(nullptr);
        }
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
    knopf_start_->setEnabled(frei);
    neu_->setEnabled(frei);
    knopf_abbruch_->setEnabled(beschaeftigt() && !abbruch_);
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
    knopf_bildexport_->setEnabled(plan);
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

void Eingabe::meldung(const QString& text, QMessageBox::Icon symbol) {
    letzte_meldung_ = text;
    // Not modal: a run in progress keeps going while the box is open.
    auto* box = new QMessageBox(symbol, "Tarvello", text, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

void Eingabe::seite_oeffnen(const QString& adresse) {
    // Without a handler the address is shown, to be copied.
    if (!adresse_oeffnen(QUrl(adresse))) adresse_gescheitert(QUrl(adresse));
}

void Eingabe::adresse_gescheitert(const QUrl& adresse) {
    if (adresse.isLocalFile()) {
        anleitung_im_fenster(adresse.toLocalFile());
        return;
    }
    warnung(text_seite_nicht_geoeffnet.in(sprache_).arg(adresse.toString()));
}

bool Eingabe::desktop_oeffnen(const QUrl& adresse) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt hands the address to xdg-open and forgets it: with no browser it
    // fails quietly. Its exit code says so.
    const QString xdg = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!xdg.isEmpty()) {
        auto* prozess = new QProcess(this);
        prozess->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        connect(prozess, &QProcess::finished, this,
                [this, prozess, adresse](int code, QProcess::ExitStatus art) {
                    prozess->deleteLater();
                    if (art != QProcess::NormalExit || code != 0) adresse_gescheitert(adresse);
                });
        connect(prozess, &QProcess::errorOccurred, this,
                [this, prozess, adresse](QProcess::ProcessError f) {
                    if (f != QProcess::FailedToStart) return;
                    prozess->deleteLater();
                    adresse_gescheitert(adresse);
                });
        oeffner_.push_back(prozess);
        prozess->start(xdg, {adresse.toString()});
        return true;
    }
#endif
    return QDesktopServices::openUrl(adresse);
}

QWidget* Eingabe::anleitung_zeigen() {
    const QString datei = anleitung_datei(sprache_);
    if (datei.isEmpty()) {
        seite_oeffnen(adresse_anleitung(sprache_));
        return nullptr;
    }
    if (adresse_oeffnen(QUrl::fromLocalFile(datei))) return nullptr;
    return anleitung_im_fenster(datei);
}

QWidget* Eingabe::anleitung_im_fenster(const QString& datei) {
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

void Eingabe::druck_ausschnitt_oeffnen() {
    // Section mode is switched on by the dialog's Take only; while it is
    // open the item shows the section layout as chosen.
    ausschnitt_->setChecked(true);
    layout_aktionen_.front().first->setChecked(false);
    if (!druck_ausschnitt_) {
        druck_ausschnitt_ = new Druckausschnitt(daten_.druckoptionen, sprache_, this);
        connect(druck_ausschnitt_, &Druckausschnitt::uebernommen, this,
                &Eingabe::druckmenue_abgleichen);
        connect(druck_ausschnitt_, &Druckausschnitt::drucken_verlangt, this,
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

void Eingabe::spende_oeffnen() {
    auto* box = new QMessageBox(QMessageBox::Information, "Tarvello", text_spende.in(sprache_),
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
