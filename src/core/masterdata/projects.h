#pragma once

#include "common/result.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

// The projects (xmbm): a flat list of codes of at most two characters, each with a name that
// may be empty.
namespace Projects {

constexpr int CodeMaxLength = 2;
constexpr int NameMaxLength = 30;

struct Project
{
    QString xmbm;
    QString xmmc;
};

QList<Project> list(const QSqlDatabase &db); // by code

// Voucher lines or project openings name the project.
bool isUsed(const QSqlDatabase &db, const QString &code);

// Adds a project (null `oldCode`) or changes the project of that code. The code of a project in
// use stays as it is. Returns the code saved.
Result<QString> save(const QSqlDatabase &db, const QString &code, const QString &name,
                     const QString &oldCode = QString());

Status checkRemove(const QSqlDatabase &db, const QString &code);
Status remove(const QSqlDatabase &db, const QString &code);

} // namespace Projects
