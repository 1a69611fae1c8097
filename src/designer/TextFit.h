#pragma once

class CControles;

// A constant text or paragraph sized to what it says, in its own font, as a new one is placed
// and as "Ajustar al texto" asks. Text is measured as the capture screen and every fitted label
// measure it, at true scale, so that a format never depends on the zoom it was designed at; the
// room to spare keeps the last letter whole at the other zooms and on paper.
class TextFit {
public:
    // Whether the control is one a fit sizes: constant texts and paragraphs, whose words are what
    // prints. Labels fit themselves at every change, and capture fields are as wide as the values
    // typed into them later, not as their names.
    static bool Fits(const CControles& control);

    // The control resized to its text, its width (and a paragraph's height) rounded up to a whole
    // snap step (0: not rounded). A one-line text keeps its height and the edge its alignment
    // holds the text to (the middle for a centred one); a paragraph keeps one line per line it
    // holds and its upper edge. Other controls are left as they are.
    static void Fit(CControles& control, int snapStep);

    // What a fit gives a side the text needs length of: a millimetre and a twenty-fifth more,
    // never a side a drag would refuse, rounded up to the step. Page units.
    static int RoomFor(int length, int snapStep);
};
