# Precompiled headers: most of a compile here is spent reading Qt's headers, the same few hundred
# for every source. Each set of headers is precompiled once, in a carrier target compiled as the
# code that reuses it is, and every target of that kind reuses it: plenova_precompile(TARGET
# Gui|Widgets) for Plenova's own libraries and programs (the layers below the widgets read Qt
# Core and Gui, the others Widgets too), TestGui|TestWidgets for the test suites, which read
# GoogleTest as well and are compiled without plenova_options. A first build on a two-core
# machine stays short that way. -DPLENOVA_PCH=OFF turns them off, to check that every source
# still includes what it uses.
option(PLENOVA_PCH "Precompile the Qt headers every layer reads" ON)

set(PLENOVA_PCH_Gui
    <algorithm> <functional> <memory> <optional> <utility> <vector>
    <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QLocale> <QObject> <QString>
    <QStringList> <QTextStream>
    <QColor> <QFont> <QFontMetrics> <QImage> <QKeyEvent> <QPainter> <QPen> <QRect>)
set(PLENOVA_PCH_Widgets ${PLENOVA_PCH_Gui}
    <QAction> <QApplication> <QCheckBox> <QDialog> <QDialogButtonBox> <QGridLayout> <QLabel>
    <QLineEdit> <QMainWindow> <QMenu> <QMessageBox> <QPlainTextEdit> <QPushButton>
    <QScrollBar> <QVBoxLayout> <QWidget>)
set(PLENOVA_PCH_TestGui ${PLENOVA_PCH_Gui} <gmock/gmock.h> <gtest/gtest.h> <QTemporaryDir>)
# Not QTest: it reads a definition that differs from one suite to the next.
set(PLENOVA_PCH_TestWidgets ${PLENOVA_PCH_Widgets} <gmock/gmock.h> <gtest/gtest.h>
    <QTemporaryDir>)

# plenova_precompile_carrier(LEVEL LIBRARIES...): the carrier of LEVEL's headers, compiled with
# the libraries the targets that reuse it link (their definitions and options must match).
function(plenova_precompile_carrier level)
    if(NOT PLENOVA_PCH)
        return()
    endif()
    set(source ${CMAKE_BINARY_DIR}/plenova_pch_carrier.cpp)
    file(CONFIGURE OUTPUT ${source} CONTENT "// Carries a precompiled header.\n")
    add_library(plenova_pch_${level} OBJECT ${source})
    target_link_libraries(plenova_pch_${level} PRIVATE ${ARGN})
    target_precompile_headers(plenova_pch_${level} PRIVATE ${PLENOVA_PCH_${level}})
endfunction()

function(plenova_precompile target level)
    if(NOT PLENOVA_PCH)
        return()
    endif()
    if(NOT TARGET plenova_pch_${level})
        message(FATAL_ERROR "plenova_precompile(${target}): no carrier for ${level}")
    endif()
    target_precompile_headers(${target} REUSE_FROM plenova_pch_${level})
endfunction()

plenova_precompile_carrier(Gui Qt6::Gui plenova_options)
plenova_precompile_carrier(Widgets Qt6::Widgets plenova_options)
