// Small display widgets of the main window: the progress bar, the graph of
// the building-size distribution and the north selector with its twelve
// option buttons around the compass.
#pragma once

#include <QLabel>
#include <QRadioButton>
#include <QWidget>
#include <array>

namespace tarvello {

// Progress in the program's colours: the done part light, the rest dark,
// a black frame around both.
class Fortschrittsbalken : public QWidget {
    Q_OBJECT
  public:
    explicit Fortschrittsbalken(QWidget* parent = nullptr);
    void setzen(float prozent);
    float prozent() const { return prozent_; }
    // Width of the done part in pixels, inside the frame.
    int gefuellt() const;
    QSize sizeHint() const override { return {284, 20}; }

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    float prozent_ = 0;
    bool leer_ = true; // nothing has run yet: an empty bar
};

// The status line: one line whose width never follows its text. A text too
// long for it is shortened in the middle, and the whole text is its tooltip.
class Statuszeile : public QLabel {
    Q_OBJECT
  public:
    explicit Statuszeile(QWidget* parent = nullptr);
    void text_setzen(const QString& text);
    // The whole text, however much of it shows.
    const QString& voller_text() const { return voll_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void resizeEvent(QResizeEvent* e) override;

  private:
    void kuerzen();
    QString voll_;
};

// How often each building size occurs between the smallest and the largest
// size: one grey bar per pixel column, the size range's labels on the right.
class Groessenverteilung : public QWidget {
    Q_OBJECT
  public:
    explicit Groessenverteilung(QWidget* parent = nullptr);
    // Sizes in metres, centre and width as the run derives them.
    void setzen(float min, float max, float zentrum, float breite);
    // Bar height (0..1 of the graph) in column i = 1 .. W - 1.
    float wert(int i) const;
    int spalten() const { return width() - 49; }
    QSize sizeHint() const override { return {300, 64}; }

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    float min_ = 1, max_ = 2, zentrum_ = 0.5f, breite_ = 1;
};

// Where north lies on the map: twelve option buttons on a circle around the
// compass shape, button i at (30 i + 90) degrees counter-clockwise from the
// right (button 0 at the top).
class Nordwahl : public QWidget {
    Q_OBJECT
  public:
    explicit Nordwahl(QWidget* parent = nullptr);
    int gewaehlt() const;
    // Marks button 0..11; any other index clears every button.
    void waehlen(int index);
    QRadioButton* knopf(int i) const { return knoepfe_[static_cast<std::size_t>(i)]; }
    // Centre of the compass shape and the radius of the buttons' centres.
    QPointF mitte() const;
    static constexpr int seite = 108;

  signals:
    void gewechselt(int index);

  protected:
    void paintEvent(QPaintEvent* e) override;

  private:
    std::array<QRadioButton*, 12> knoepfe_{};
};

} // namespace tarvello
