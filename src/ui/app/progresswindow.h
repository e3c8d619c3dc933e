#pragma once

#include <QWidget>

// "正在处理，请稍候 ……": a small window on top of the others while a long operation runs
// on the GUI thread. Shown and painted at once; closed when it goes out of scope.
class ProgressWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressWindow(QWidget *over);
    ~ProgressWindow() override;
};
