// The main window: every generation parameter as a control bound to the
// control states, the preset list, the town name and north selector, Start
// and Abort with a seed field, the status line and progress bar, the preview
// with its view buttons, and the menus for files, printing, colours and help.
//
// A run happens on this thread: Start calls the generator, whose yields let
// the window process its events, so it repaints and Abort (or Esc) can stop
// the run. While a run is in progress nothing that changes the model or the
// control states is enabled.
//
// eingabe_aufbau.cpp builds the widgets and menus, eingabe_dateibefehle.cpp
// holds the file commands, eingabe_lauf.cpp the run and the other long work.
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/texte.h"
#include "core/parameter.h"
#include "core/stadtmodell.h"
#include "core/status.h"
#include "core/steuerwerte.h"
#include "files/druckfarben.h"
#include "files/textdatei.h"
#include "generator/treiber.h"
#include "render/druckoptionen.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLayout;
class QLineEdit;
class QMenu;
class QPrinter;
class QPushButton;
class QUrl;
class QSlider;
class QTabWidget;
class QToolButton;

namespace tarvello {

class Bildexport;
class Druckausschnitt;
class Farben;
class Fortschrittsbalken;
class Groessenverteilung;
class Kennzeichnung;
class Nordwahl;
class Statuszeile;
class Stadtname;
class Vorschau;
class Wirt;

// The stores that live as long as the program: the city model, the drawing
// colours and the print options.
struct Programmdaten {
    Stadtmodell modell;
    Druckfarben farben = Druckfarben::standard();
    Druckoptionen druckoptionen;
};

class Eingabe : public QMainWindow {
    Q_OBJECT

  public:
    explicit Eingabe(Programmdaten& daten, QWidget* parent = nullptr);
    ~Eingabe() override;

    Programmdaten& daten() { return daten_; }

    // --- language ---
    Sprache sprache() const { return sprache_; }
    // Rewrites every caption, list and the status line in the language, and
    // the captions of the open dialogs.
    void sprache_setzen(Sprache s);

    // --- control states ---
    const Steuerwerte& steuerwerte() const { return steuerwerte_; }
    // Shows the states in the controls (no change events, the preset list
    // keeps its entry).
    void steuerwerte_setzen(const Steuerwerte& s);
    // A settings file was read: the controls show it and the preset list
    // shows "(beutzerdefiniert)".
    void einstellungen_geladen(const Steuerwerte& s);
    // Selects a preset and applies it, as choosing it in the list does.
    void vorlage_waehlen(int index);
    // Index of the preset list; -1 while it shows "(beutzerdefiniert)".
    int vorlage() const;
    // What the preset list shows.
    QString vorlage_text() const;

    QString stadtname() const;
    void stadtname_setzen(const QString& name);
    int nord() const;
    void nord_setzen(int index);

    // --- runs ---
    bool laeuft() const { return laeuft_; }
    // A run or a file operation is in progress.
    bool beschaeftigt() const { return laeuft_ || dateiarbeit_; }
    bool abbruch_angefordert() const { return abbruch_; }
    std::optional<Laufende> letztes_laufende() const { return letztes_ende_; }
    std::optional<std::uint64_t> letzter_startwert() const { return letzter_startwert_; }

    // --- host of runs and file operations ---
    Vorschau* vorschau() const { return vorschau_; }
    // Shows the status worded in the window's language; a language change
    // words the last one again.
    void status_setzen(const Status& status);
    QString status_text() const;
    void fortschritt_setzen(float prozent);
    float fortschritt() const;

    // The model now holds a loaded map: the preview shows it from the full
    // view, saving, printing and export are enabled.
    void karte_geladen();

    // Check marks of the print menu from the print options (after a dialog
    // changed them).
    void druckmenue_abgleichen();

    // The file commands after their file dialogs. Each returns false when
    // the file could not be read or written (the window then shows why and
    // keeps what it had) or when a run or another file operation is busy.
    bool karte_laden_aus(const QString& datei);
    bool karte_speichern_als(const QString& datei);
    bool geojson_exportieren_als(const QString& datei);
    bool einstellungen_laden_aus(const QString& datei);
    // Opens the colour dialog with the palette file loaded, for the user to
    // take or cancel; false (and said in the dialog) when it cannot be read.
    bool palette_oeffnen(const QString& datei);
    bool einstellungen_speichern_als(const QString& datei);
    QString kartendatei() const { return kartendatei_; }
    QString einstellungsdatei() const { return einstellungsdatei_; }

    // Text of the last message box the window showed.
    QString letzte_meldung() const { return letzte_meldung_; }

    // Long work other than a run (an image export): the window locks as
    // during a file operation, the work reports through the window's host
    // and Abort stops it at its next yield. False, without running it, while
    // the window is busy.
    bool arbeit_ausfuehren(const std::function<void(Wirt&)>& arbeit);

    // Prints the map with the print options on a printer the print dialog
    // has set up (or one printing into a PDF file); false when nothing was
    // printed completely (busy, no map, aborted, or the printer failed, which
    // the window then shows).
    bool drucken_auf(QPrinter& drucker);

    // Opens an address with the desktop's handler; true when one took it.
    // A handler that takes it and fails later calls adresse_gescheitert.
    // Tests put a stand-in here.
    std::function<bool(const QUrl&)> adresse_oeffnen;
    // The manual: with the desktop's handler, else in the program's own help
    // window, which this returns then (null when the handler took it).
    QWidget* anleitung_zeigen();
    // The size the window opens with when none is stored: it fits the
    // screen's free area.
    QSize startgroesse() const;
    // A handler failed to show an address it took: the manual opens in the
    // help window, a web page is shown to be copied.
    void adresse_gescheitert(const QUrl& adresse);

  public slots:
    // Start and "New": one generation run.
    void lauf_starten();
    // Abort and Esc: the run stops at its next yield.
    void lauf_abbrechen();

  signals:
    void lauf_beendet(tarvello::Laufende ende);

  protected:
    void closeEvent(QCloseEvent* e) override;

  private slots:
    // Commands whose dialogs or files are plugged in here.
    void stadtplan_laden();
    void stadtplan_speichern_unter();
    void geojson_exportieren();
    void stadtplan_drucken();
    void einstellungen_laden();
    void einstellungen_speichern();
    void einstellungen_speichern_unter();
    void druck_ausschnitt_oeffnen();
    void farben_oeffnen();
    void kennzeichnung_oeffnen();
    void bildexport_oeffnen();
    void stadtname_generator_oeffnen();
    void spende_oeffnen();

  private:
    void schliessen_falls_verlangt();
    void aufbauen();
    QWidget* linke_seite_bauen();
    QLayout* startzeile_bauen();
    QLayout* rechte_seite_bauen();
    QLayout* knopfzeile_bauen();
    QLayout* pfeile_bauen();
    QLayout* zoomknoepfe_bauen();
    void menues_aufbauen();
    QWidget* reiter_seite(const Reiter& r);
    // A "?" button named hilfe_<rolle> that shows help text n.
    QToolButton* hilfe_knopf(const std::string& rolle, int n);
    QAction* aktion(QMenu* menue, const char* name);
    QMenu* untermenue(QMenu* menue, const char* name);

    // Keeps obj's caption in step with the language.
    void beschriften(QObject* obj, const Zweisprachig& text);
    void beschriften(QObject* obj);
    void sprachversionen();
    void listen_fuellen();

    void liste_geaendert(const std::string& name, int index);
    void schieber_geaendert(const std::string& name, int wert);
    void einstellung_geaendert();
    void grafik_auffrischen();
    void bedienung_schalten();
    void druck_layout(QAction* gewaehlt, int blaetter);
    void hilfe_zeigen(int n);
    void meldung(const Zweisprachig& text);
    void meldung(const QString& text, QMessageBox::Icon symbol = QMessageBox::Information);
    // A fault the user should notice: the warning icon.
    void warnung(const QString& text) { meldung(text, QMessageBox::Warning); }
    // The manual file in the help window.
    QWidget* anleitung_im_fenster(const QString& datei);
    // The desktop's handler (xdg-open where there is one, whose exit code
    // tells whether it showed the address).
    bool desktop_oeffnen(const QUrl& adresse);
    void seite_oeffnen(const QString& adresse);
    // Shows a failed result in the status line and a message box; false on
    // success.
    bool fehler_zeigen(const Ergebnis& e);

    Programmdaten& daten_;
    Sprache sprache_ = Sprache::englisch;
    Steuerwerte steuerwerte_;
    bool laeuft_ = false;
    bool dateiarbeit_ = false; // a map is being loaded or saved
    bool abbruch_ = false;
    bool schliessen_nach_lauf_ = false;
    bool startwert_gezogen_ = false;       // the seed field shows a drawn seed
    bool einstellungen_geaendert_ = false; // a control changed since start, load or save as
    std::optional<Laufende> letztes_ende_;
    std::optional<std::uint64_t> letzter_startwert_;
    QString letzte_meldung_;
    std::vector<QPointer<QProcess>> oeffner_; // xdg-open calls under way
    QString kartendatei_;                     // current city map file
    QString einstellungsdatei_;               // current settings file

    struct Beschriftet {
        QPointer<QObject> obj;
        Zweisprachig text;
    };
    std::vector<Beschriftet> beschriftete_;
    std::vector<std::pair<QPointer<QWidget>, Zweisprachig>> reiter_titel_;

    std::map<std::string, QComboBox*> listen_;
    std::map<std::string, QSlider*> schieber_;
    std::map<std::string, QLabel*> schieber_werte_;
    QCheckBox* check_mauer_ = nullptr;

    QComboBox* vorlagen_ = nullptr;
    QLineEdit* stadtname_ = nullptr;
    QTabWidget* tab_ = nullptr;
    std::vector<QWidget*> seiten_;
    QPushButton* knopf_start_ = nullptr;
    QPushButton* knopf_abbruch_ = nullptr;
    QLineEdit* startwert_ = nullptr;
    Statuszeile* status_ = nullptr;
    QDialog* anleitungsfenster_ = nullptr;
    std::vector<QPushButton*> ansicht_knoepfe_; // moving and zooming the preview
    Status letzter_status_;                     // what status_ shows, for a language change
    Fortschrittsbalken* fortschritt_ = nullptr;
    Groessenverteilung* grafik_ = nullptr;
    Vorschau* vorschau_ = nullptr;
    Nordwahl* nordwahl_ = nullptr;
    QPushButton* knopf_bildexport_ = nullptr;

    QAction* neu_ = nullptr;
    QAction* karte_laden_ = nullptr;
    QAction* karte_speichern_ = nullptr;
    QAction* drucken_ = nullptr;
    QAction* geojson_ = nullptr;
    QAction* einst_laden_ = nullptr;
    QAction* einst_speichern_ = nullptr;
    QAction* einst_speichern_unter_ = nullptr;
    QAction* deutsch_ = nullptr;
    QAction* englisch_ = nullptr;
    std::vector<std::pair<QAction*, int>> layout_aktionen_; // print layouts and their N
    QAction* ausschnitt_ = nullptr;
    std::vector<std::pair<QAction*, bool Druckoptionen::*>> options_aktionen_;
    std::vector<std::pair<QAction*, int>> schriftgroessen_;

    // The dialogs, one of each at a time.
    QPointer<Kennzeichnung> kennzeichnung_;
    QPointer<Bildexport> bildexport_;
    QPointer<Farben> farben_;
    QPointer<Stadtname> stadtname_dialog_;
    QPointer<Druckausschnitt> druck_ausschnitt_;
    // The printer and its setup, kept from one print to the next.
    std::unique_ptr<QPrinter> drucker_;
};

} // namespace tarvello
