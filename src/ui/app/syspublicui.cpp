#include "ui/app/syspublicui.h"

#include "ui/app/tmainform.h"

#include <QApplication>
#include <QWidget>

QWidget *FindForm(const QString &name)
{
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        // A closed window is gone even before its deferred deletion runs; open-once windows
        // are shown for as long as they are open.
        if (window->objectName() == name && window->isVisible())
            return window;
    }
    return nullptr;
}

bool FormExists(const QString &name)
{
    return FindForm(name) != nullptr;
}

void RefreshStatusBar()
{
    if (Tmainform *main = Tmainform::instance())
        main->refreshStatusBar();
}
