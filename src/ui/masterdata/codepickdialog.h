#pragma once

#include <QDialog>
#include <QList>
#include <QPair>

#include <functional>

class QComboBox;
class QPushButton;

// A pick list of the voucher form for the code of a line: the entries by name and an empty
// entry that removes the assignment. The caller puts the line's code into
// AppContext.PickedCode; when the dialog closes, whichever way, PickedCode and PickedName hold
// the entry chosen. Enter in the list or the OK button closes it.
class CodePickDialog : public QDialog
{
    Q_OBJECT

public:
    using Entry = QPair<QString, QString>; // code, name

    QComboBox *list() const { return m_list; }
    QPushButton *okButton() const { return m_ok; }

    void done(int result) override;

protected:
    CodePickDialog(const QString &componentName, const QString &title, QWidget *parent);
    // Fills the list; a database failure is shown and leaves only the empty entry.
    void setEntries(const std::function<QList<Entry>()> &read);

private:
    QComboBox *m_list = nullptr;
    QPushButton *m_ok = nullptr;
};
