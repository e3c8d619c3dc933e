#include "ui/app/progresswindow.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

ProgressWindow::ProgressWindow(QWidget *over)
    : QWidget(over, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint
                        | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("progress"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(QStringLiteral("正在处理，请稍候 ……"), this);
    QFont font = label->font();
    font.setItalic(true);
    font.setPointSize(font.pointSize() + 2);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: red;"));
    layout->setContentsMargins(32, 20, 32, 20);
    layout->addWidget(label);
    adjustSize();
    if (over) {
        const QRect area = over->window()->geometry();
        move(area.center() - rect().center());
    }
    show();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

ProgressWindow::~ProgressWindow() = default;
