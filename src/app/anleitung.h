// The manual that ships with the program ("Your 1st city map"): one HTML
// page per language, anleitung_de.html and anleitung_en.html. It is looked
// for next to the executable, in a docs folder beside or above it (a build
// folder inside the source tree) and in the installed data folder; when none
// is found the web page stands in.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include "core/steuerwerte.h"

namespace tarvello {

// "anleitung_de.html" or "anleitung_en.html".
QString anleitung_dateiname(Sprache s);

// The folders searched, in order.
QStringList anleitung_ordner();

// Full path of the page, or empty when it is nowhere to be found.
QString anleitung_datei(Sprache s);

// The page as a local file URL, or the web page when the file is missing.
QUrl anleitung_adresse(Sprache s);

} // namespace tarvello
