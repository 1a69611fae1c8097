#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

// The shell's own pictures, drawn by code: the icons of the three kinds of child window and of a
// new format, shown on the access bar's buttons. Each is drawn from one outline on a 32 x 32
// grid at whatever size is asked, so small and large copies are the same picture.
class ShellPictures {
public:
    // The pictures by their resource numbers; a new format has none of its own.
    enum class Picture : int {
        NewFormat = 0,
        Design = 130,       // the format designer
        Capture = 144,      // capture and printing
        ScreenDesign = 148, // the capture-screen designer
    };

    // The picture at size x size pixels of device pixel ratio 1, drawn at that ratio.
    static QPixmap Pixmap(Picture picture, int size, qreal ratio = 1);
    // The picture at the sizes a button or a menu asks for (16 to 32 pixels), at ratios 1 and 2.
    static QIcon Icon(Picture picture);
    static QList<Picture> Pictures();
};
