// Writes the manual page kestrune-cli(1) from the command line's own help texts.
#include "HelpText.h"

#include <QCoreApplication>
#include <QSaveFile>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 2) {
        qCritical("usage: kestrune-mkman FILE.1");
        return 2;
    }
    QSaveFile file(arguments[1]);
    if (!file.open(QIODevice::WriteOnly) || file.write(kestrune::cli::manPage().toUtf8()) < 0 ||
        !file.commit()) {
        qCritical("cannot write %s", qUtf8Printable(arguments[1]));
        return 2;
    }
    return 0;
}
