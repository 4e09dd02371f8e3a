#include "Registry.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <memory>

namespace kestrune::shell {

namespace {

std::unique_ptr<QSettings> openStore(RegistryRoot root) {
    const QString file = root == RegistryRoot::LocalMachine
                             ? QStringLiteral("HKEY_LOCAL_MACHINE.ini")
                             : QStringLiteral("HKEY_CURRENT_USER.ini");
    return std::make_unique<QSettings>(QDir(settingsFolder()).filePath(file), QSettings::IniFormat);
}

// "\SOFTWARE\Brenvatik\Kestrune" + value -> "SOFTWARE/Brenvatik/Kestrune/value"
QString settingsKey(const QString& key, const QString& value) {
    QString path = key;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.startsWith(QLatin1Char('/')))
        path.remove(0, 1);
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path.isEmpty() ? value : path + QLatin1Char('/') + value;
}

} // namespace

QString settingsFolder() {
    const QString chosen = qEnvironmentVariable("KESTRUNE_SETTINGS_DIR");
    if (!chosen.isEmpty())
        return chosen;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("Brenvatik"));
}

QString ReadRegText(const QString& value, const QString& fallback, RegistryRoot root,
                    const QString& key) {
    const QString text = openStore(root)->value(settingsKey(key, value)).toString();
    return text.isEmpty() ? fallback : text;
}

int ReadRegInteger(const QString& value, int fallback, RegistryRoot root, const QString& key) {
    const QVariant stored = openStore(root)->value(settingsKey(key, value));
    bool ok = false;
    const int number = stored.toString().trimmed().toInt(&ok);
    return ok ? number : fallback;
}

void WriteRegText(const QString& value, const QString& text, RegistryRoot root,
                  const QString& key) {
    openStore(root)->setValue(settingsKey(key, value), text);
}

void WriteRegInteger(const QString& value, int number, RegistryRoot root, const QString& key) {
    openStore(root)->setValue(settingsKey(key, value), number);
}

void WriteRegBool(const QString& value, bool flag, RegistryRoot root, const QString& key) {
    WriteRegInteger(value, flag ? 1 : 0, root, key);
}

} // namespace kestrune::shell
