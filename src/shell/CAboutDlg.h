#pragma once

#include "imaging/CPictureBitmap.h"

#include <QDialog>

class QPushButton;

// "Acerca de Plenova": Plenova's picture, the window exactly its size and in the middle of the
// screen, with "Aceptar" to close it.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QPushButton* OkButton() const { return m_ok; }
    const CPictureBitmap& Picture() const { return m_picture; }

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CPictureBitmap m_picture;
    QPushButton* m_ok;
};
