#pragma once

#include "model/Format.h"

#include <QLocale>
#include <QString>

#include <vector>

// The values of a format's number and amount fields that read as no number: text typed, set or
// loaded into a text line or a table cell of such a type that the locale does not read as an
// amount. They stay as they were written, on the screen and on paper, and count 0 in every
// calculation and in the amount in words: the capture window marks them, tells of each as it is
// entered and asks before they are printed.
class UnreadNumbers {
public:
    struct Place {
        QString field; // the field's name, or a cell's as TABLA[RENGLON,COLUMNA]
        QString text;  // what it holds
    };

    // In the window's list order, the cells of a table row by row.
    static std::vector<Place> Find(const ControlList& controls, const QLocale& locale = QLocale());

    // What the status bar says of text just entered that reads as no number.
    static QString Notice(const QString& text);
    // The question before the values go onto paper: which fields hold no number and what that
    // means, then ask ("¿Desea imprimir de todos modos?").
    static QString Question(const std::vector<Place>& places, const QString& ask);
};
