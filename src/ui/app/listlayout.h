#pragma once

#include <initializer_list>

class QPushButton;
class QTableWidget;
class QWidget;

// The common look of the list screens of the master data and the operators: a grid of whole
// rows on the left and a column of buttons on the right.
namespace ListLayout {

// Whole-row single selection, no editing in place, striped rows without row numbers.
void styleGrid(QTableWidget *grid);
// Lays the window out: the list, stretched, and the buttons in a column beside it.
void placeWithButtons(QWidget *window, QWidget *list, std::initializer_list<QPushButton *> buttons);

} // namespace ListLayout
