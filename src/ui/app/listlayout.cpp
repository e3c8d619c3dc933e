#include "ui/app/listlayout.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace ListLayout {

void styleGrid(QTableWidget *grid)
{
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 10);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setAlternatingRowColors(true);
}

void placeWithButtons(QWidget *window, QWidget *list, std::initializer_list<QPushButton *> buttons)
{
    auto *column = new QVBoxLayout;
    for (QPushButton *button : buttons) {
        // Enter belongs to the list, not to whichever button last had the focus.
        button->setAutoDefault(false);
        button->setMinimumWidth(88);
        column->addWidget(button);
    }
    column->addStretch();
    auto *layout = new QHBoxLayout(window);
    layout->setContentsMargins(12, 12, 12, 12);
    layout->setSpacing(12);
    layout->addWidget(list, 1);
    layout->addLayout(column);
}

} // namespace ListLayout
