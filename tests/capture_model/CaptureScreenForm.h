#pragma once

// Formats for the capture window's tests, made in code and written where the window reads
// them: text lines placed on the capture screen, labels, tables.
#include "capture_model/CFmtGrid.h"
#include "capture_model/CTextlineVar.h"
#include "capture_model/CaptureControlTypes.h"
#include "model/CEtiqueta.h"
#include "model/Format.h"
#include "model/FormatFile.h"
#include "model/FormatSettings.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

struct CaptureScreenForm {
    Format format;
    FormatSettings settings;

    CaptureScreenForm() { format.screenExtent = ScreenRect{0, 0, 400, 300}; }

    // A field placed on the capture screen at (x, y), 150 x 20 pixels, its caption at its left.
    CTextlineVar& Line(const QString& name, int order, int x, int y,
                       const QString& expression = QString()) {
        auto line = CTextlineVar::Create(100, -100 - 60 * order);
        line->text = name;
        line->captureOrder = order;
        line->expression = expression;
        line->dataType =
            expression.isEmpty() ? DataTypeCode::Numero : DataTypeCode::NumeroCalculado;
        line->screenRect = ScreenRect{x, y, x + 150, y + 20};
        line->screenPlaced = true;
        CTextlineVar& made = *line;
        format.controls.push_back(std::move(line));
        return made;
    }

    // An invoice's lines on the screen: quantity, price and their product.
    CFmtGrid& Partidas(int order, int x, int y, int rows = 4) {
        auto table = CFmtGrid::Create(100, -600);
        table->text = QStringLiteral("PARTIDAS");
        table->captureOrder = order;
        table->SetColumnCount(3);
        table->SetRowCount(rows);
        const QStringList titles = {QStringLiteral("CANTIDAD"), QStringLiteral("PRECIO"),
                                    QStringLiteral("IMPORTE")};
        for (int i = 0; i < 3; ++i) {
            TableColumn column = table->Columns()[static_cast<std::size_t>(i)];
            column.title = titles[i];
            column.screenWidth = 80;
            column.dataType = i == 2 ? DataTypeCode::NumeroCalculado : DataTypeCode::Numero;
            column.expression = i == 2 ? QStringLiteral("C1*C2") : QString();
            table->SetColumn(i, column);
        }
        table->screenRect = ScreenRect{x, y, x + 300, y + 120};
        table->screenPlaced = true;
        CFmtGrid& made = *table;
        format.controls.push_back(std::move(table));
        return made;
    }

    CEtiqueta& Label(const QString& text, int x, int y) {
        auto label = CEtiqueta::Create(100, -50, text);
        label->screenRect = ScreenRect{x, y, x + 200, y + 18};
        label->screenPlaced = true;
        CEtiqueta& made = *label;
        format.controls.push_back(std::move(label));
        return made;
    }

    // Writes the format into dir as name and gives its path.
    QString Save(const QTemporaryDir& dir, const QString& name = QStringLiteral("forma.fmt")) {
        CaptureControlTypes::RegisterAll();
        const QString path = dir.filePath(name);
        FormatFile::Save(path, format, settings);
        return path;
    }
};
