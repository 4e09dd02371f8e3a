#include "PrintDatabase.h"

#include "RecordGenerator.h"
#include "exchange/AnnualReport.h"
#include "schema/Connection.h"
#include "shell/Registry.h"
#include "shell/Settings.h"

#include <QDir>
#include <QFile>

namespace kestrune::testing {

void PrintDatabase::SetUp() {
    env.installDatabase();
    ASSERT_TRUE(QFile::copy(builtProgramFile(exchange::kPrintTemplateName),
                            env.path(exchange::kPrintTemplateName)));
    documents = env.path("documents");
    shell::WriteRegText("Personal", documents, shell::RegistryRoot::CurrentUser,
                        shell::kShellFoldersKey);
    start();
    ASSERT_TRUE(connection().isOpen());
    cli::generateRecords(connection(), 3, 20261208);
}

void PrintDatabase::start() {
    ASSERT_TRUE(shell::StartSession(session, ui));
}

QStringList PrintDatabase::handedOver() const {
    return QDir(documents).entryList(QDir::Files, QDir::Name);
}

double PrintDatabase::firstCode() {
    return connection().scalar("select min(c901) from dt_data").toDouble();
}

} // namespace kestrune::testing
