#include "CliCommand.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kestrune"));
    QCoreApplication::setOrganizationName(QStringLiteral("Brenvatik"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return kestrune::cli::runCli(app.arguments().mid(1), out, err);
}
