// libFuzzer target over the data import's reader: every input is a chosen
// file, imported into a working database with every label confirmed. No input
// may crash or hang the import, and every import that ends without records
// imported or conflicts reported must leave the working database byte for
// byte as it was. Imports that did change it are undone before the next input.

#include "FuzzStage.h"
#include "exchange/ImportData.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace kestrune;

namespace {

bool mayChangeTheWorkingDatabase(exchange::ImportOutcome outcome) {
    return outcome == exchange::ImportOutcome::Imported ||
           outcome == exchange::ImportOutcome::PartlyImported ||
           outcome == exchange::ImportOutcome::Conflicts;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static fuzz::FuzzStage* stage = new fuzz::FuzzStage;
    static fuzz::ConfirmingPerson person;
    static unsigned long runs = 0;
    const QString chosen = stage->file(QStringLiteral("chosen.dat"));
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    fuzz::WriteWhole(chosen, input);

    // Both ways of handling taken codes, turn about.
    const auto principle = ++runs % 2 ? exchange::ImportPrinciple::AbandonAllOnError
                                      : exchange::ImportPrinciple::AbandonFaultyOnly;
    const exchange::ImportResult result =
        exchange::ImportDataFiles(stage->working(), person, {chosen}, principle);
    if (fuzz::ReadWhole(chosen) != input) {
        fprintf(stderr, "the import changed the chosen file\n");
        abort();
    }
    if (stage->working().inTransaction()) {
        fprintf(stderr, "the import left a transaction open\n");
        abort();
    }
    if (!stage->workingUnchanged()) {
        if (!mayChangeTheWorkingDatabase(result.outcome)) {
            fprintf(stderr, "a refused file changed the working database (outcome %d)\n",
                    int(result.outcome));
            abort();
        }
        stage->restoreWorking();
    }
    return 0;
}
