// The pictures the window paints for itself: the command images of page 2, the print
// marks (page 2's mark images and page 3's explanation of them) with the shadow of the
// selected slot, and the small buttons of page 3. The images of page 1 and page 4 are
// files, drawn by tools/make_pictures.sh and compiled in.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>

namespace pictures {

constexpr QSize kCommandSize(59, 20); // a command image of page 2
constexpr QSize kMarkSize(17, 25);    // a print mark

// The faces of the command images: file commands, slot operations, the deletion and the
// exit, the print marks, printing.
inline const QColor kFileFace(40, 90, 170);
inline const QColor kSlotFace(40, 130, 70);
inline const QColor kDeleteFace(150, 60, 60);
inline const QColor kMarkFace(110, 110, 110);
inline const QColor kPrintFace(30, 40, 110);

// A command image: the caption in white on a coloured face.
QPixmap command(const char *caption, const QColor &face);
// A print mark: an empty box, or a box with a tick.
QPixmap mark(bool on);
// The shadow beside the selected slot button.
QPixmap shadow(QSize size);

// Page 3: a raised button face of 33 x 17 with a triangle pointing back or on.
QPixmap pageStep(bool forward);
// A sheet of paper, 16 x 16: the upper half enlarged (half) or the whole sheet.
QPixmap sheet(bool whole);
// A printer with a sheet coming out, 16 x 16.
QPixmap printer();
// A small picture being saved: a framed landscape with "BMP" under it, 17 x 17.
QPixmap bitmap();

} // namespace pictures
