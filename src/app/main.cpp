// The desktop program. For now it prepares the books of the home folder and shows the account
// sets; the main window with its menu and the login chain take its place as they are built.

#include "app/homefolder.h"
#include "db/accountsetstore.h"
#include "db/dberror.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLabel>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lanx"));

    QCommandLineParser parser;
    const QCommandLineOption homeOption(QStringLiteral("home"), QStringLiteral("home folder"),
                                        QStringLiteral("DIR"));
    parser.addOption(homeOption);
    parser.process(app);

    ConnectionSettings settings;
    settings.dataFolder = HomeFolder::dataFolder(HomeFolder::resolve(parser.value(homeOption)));

    QStringList lines;
    try {
        AccountSetStore store(settings);
        store.bootstrap();
        for (const AccountSet &set : store.list())
            lines << QStringLiteral("%1  %2  %3").arg(set.id).arg(set.code, set.name);
    } catch (const DbError &error) {
        QMessageBox::warning(nullptr, QStringLiteral("澜序软件"), error.message());
        return 3;
    }

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("澜序财务系统 V3.0"));
    auto *label = new QLabel(QStringLiteral("帐套：\n") + lines.join(u'\n'));
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.statusBar()->showMessage(settings.dataFolder);
    window.resize(800, 600);
    window.show();
    return app.exec();
}
