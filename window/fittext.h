// The one rule for a text wider than the box that shows it: the box's font is made
// smaller, down to 6 pixels, until the whole text fits, so no digit is ever cut off. A
// text that fits keeps the box's own font. Every read-out of the window goes through it:
// value labels (ValueLabel), line edits and the line of an editable list (keepReadable),
// and table cells (fitCell).
#pragma once

#include <QFont>

class QComboBox;
class QLineEdit;
class QTableWidget;
class QTableWidgetItem;

namespace fit {

// `font` made smaller until `text` is at most `room` pixels wide (or 6 pixels high).
QFont fittingFont(const QFont &font, const QString &text, int room);

// Shows the whole text of the box whenever it is not being typed in: its text starts at
// the left edge and is drawn in the fitting font. While the box has the focus it keeps
// its own font, and the text scrolls as typing needs.
void keepReadable(QLineEdit *box);
void keepReadable(QComboBox *list); // the line of an editable list

// A cell of `table` (the item is in it) in the table's font fitted to its column.
void fitCell(QTableWidget *table, QTableWidgetItem *item);

} // namespace fit
