#pragma once

#include "ui/masterdata/codepickdialog.h"

// 选择部门: the voucher form's pick list for the department of a line, offering the
// departments without sub-departments.
class Tbmzd2 : public CodePickDialog
{
    Q_OBJECT

public:
    explicit Tbmzd2(QWidget *parent = nullptr);
};
