#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace kestrune::testing {

// A private program folder and settings folder for one test: KESTRUNE_HOME
// and KESTRUNE_SETTINGS_DIR point into a temporary directory while it lives,
// so tests never touch the real user's files or settings.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();

    QString programFolder() const;
    QString settingsFolder() const;
    QString path(const QString& name) const; // a file in the program folder

    // Copies the database the build produced (still protected) into the
    // program folder; returns its path.
    QString installDatabase() const;

private:
    QTemporaryDir dir_;
    QByteArray oldHome_;
    QByteArray oldSettings_;
};

QString builtProgramFile(const QString& name);
QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

} // namespace kestrune::testing
