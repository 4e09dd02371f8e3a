#pragma once

#include "RecordGenerator.h"
#include "shell/SurveyDatabase.h"
#include "shell/UserInteraction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace kestrune::bench {

// Nobody at the screen: messages go to stderr, every question is declined.
class SilentInteraction : public shell::UserInteraction {
public:
    using shell::UserInteraction::confirm;
    void showMessage(const QString& text, shell::MessageKind) override {
        fprintf(stderr, "%s\n", text.toUtf8().constData());
    }
    bool confirm(const QString&, const QString&) override { return false; }
    int askQuestion(const QString&, int) override { return shell::Question::ResultCancel; }
    QString chooseSaveFile(const shell::FileDialogRequest&) override { return {}; }
    QString chooseOpenFile(const shell::FileDialogRequest&) override { return {}; }
    std::optional<QString> inputText(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    bool openWithDefaultProgram(const QString&) override { return false; }
    void progressStart(int, int) override {}
    void progressStep() override {}
    void progressCaption(const QString&) override {}
    void progressFinish() override {}
};

// A fresh copy of the database as built, opened as the program opens it and
// filled with `count` generated records.
struct GeneratedDatabase {
    explicit GeneratedDatabase(int count) {
        const QString path = dir.filePath(QStringLiteral("bench.mdb"));
        QFile::copy(QStringLiteral(KESTRUNE_INSTALLED_DATABASE), path);
        opened = database.OpenDatabase(ui, path);
        if (opened)
            cli::generateRecords(database.connection(), count, 20261208);
    }
    db::Connection& connection() { return database.connection(); }

    QTemporaryDir dir;
    SilentInteraction ui;
    shell::SurveyDatabase database;
    bool opened = false;
};

// The middle of `values` (the upper middle of an even count).
inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds since the timer started, and the timer started again.
inline double lapMilliseconds(QElapsedTimer& timer) {
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    timer.restart();
    return ms;
}

// Runs `measure` for each record count on the command line, else for 1,000
// and 100,000 records.
inline int measureEachCount(int argc, char* argv[], const std::function<void(int)>& measure) {
    QCoreApplication app(argc, argv);
    QStringList counts = app.arguments().mid(1);
    if (counts.isEmpty())
        counts = {QStringLiteral("1000"), QStringLiteral("100000")};
    for (const QString& count : counts)
        measure(count.toInt());
    return 0;
}

} // namespace kestrune::bench
