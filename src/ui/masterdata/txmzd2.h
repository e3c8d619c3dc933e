#pragma once

#include "ui/masterdata/codepickdialog.h"

// 项目选择: the voucher form's pick list for the project of a line.
class Txmzd2 : public CodePickDialog
{
    Q_OBJECT

public:
    explicit Txmzd2(QWidget *parent = nullptr);
};
