// Saves one stored record through the entry dialog's save path, headless, so
// that the crash tests can kill a save in the middle: the record is read as
// the dialog reads it, every number it holds is raised by one and a text is
// marked, and the values are written back as a temporary save in one
// transaction.
//
//   kestrune-crash-save CODE
//
// Prints "saving" just before the write and "saved" after it. Exit 0 when
// saved, 2 when the record or the database could not be used.

#include "entry/RecordStore.h"
#include "entry/RecordValues.h"
#include "schema/EngineError.h"
#include "shell/ConsoleInteraction.h"
#include "shell/FailureReason.h"
#include "shell/RecordColumns.h"
#include "shell/Startup.h"
#include "shell/SurveyTerms.h"

#include <QCoreApplication>
#include <cstdio>

using namespace kestrune;

namespace {

// Every field that holds something takes another value, so that a save
// torn between its columns would show.
void changeEveryValue(entry::RecordValues& values) {
    const QVariantMap row = values.written();
    for (auto it = row.constBegin(); it != row.constEnd(); ++it) {
        if (it.key() == shell::kUnitCodeField || it.value().isNull())
            continue;
        if (it.value().typeId() == QMetaType::QString)
            values.set(it.key(), it.value().toString().left(20) + QStringLiteral("改"));
        else
            values.set(it.key(), it.value().toDouble() + 1);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Kestrune"));
    QCoreApplication::setOrganizationName(QStringLiteral("Brenvatik"));
    bool isNumber = false;
    const double code = argc == 2 ? QString::fromLocal8Bit(argv[1]).toDouble(&isNumber) : 0;
    if (!isNumber) {
        std::fputs("usage: kestrune-crash-save CODE\n", stderr);
        return 2;
    }
    shell::ConsoleInteraction ui;
    ui.setQuiet(true);
    shell::Session session;
    if (!shell::StartSession(session, ui))
        return 2;
    try {
        db::Connection& connection = session.database.connection();
        const QVariantMap stored = entry::ReadStoredRecord(connection, code);
        if (stored.isEmpty()) {
            std::fputs("no record with that unit code\n", stderr);
            return 2;
        }
        entry::RecordValues values(shell::ReadFieldCatalogue(connection));
        values.read(stored);
        changeEveryValue(values);
        std::puts("saving");
        std::fflush(stdout);
        entry::WriteRecord(connection, values.written(), entry::SaveKind::Temporary, false, code);
        std::puts("saved");
    } catch (const db::EngineError& e) {
        std::fprintf(stderr, "%s\n", shell::FailureReason(e).toLocal8Bit().constData());
        return 2;
    }
    return 0;
}
