#pragma once

#include <QString>

namespace kestrune::shell {

// The two settings stores that stand in for the registry's HKEY_LOCAL_MACHINE
// and HKEY_CURRENT_USER. Both are files an ordinary user can write: in the
// folder named by KESTRUNE_SETTINGS_DIR, else in the user's configuration
// folder under "Brenvatik". Key paths keep the registry's form
// ("\SOFTWARE\Brenvatik\Kestrune\Options\EnvSetting").
enum class RegistryRoot { LocalMachine, CurrentUser };

QString settingsFolder();

// The value's text; `fallback` when it is missing or empty. The key is not created.
QString ReadRegText(const QString& value, const QString& fallback, RegistryRoot root,
                    const QString& key);
// The value's integer; `fallback` when it is missing or does not read as one.
int ReadRegInteger(const QString& value, int fallback, RegistryRoot root, const QString& key);
void WriteRegText(const QString& value, const QString& text, RegistryRoot root, const QString& key);
void WriteRegInteger(const QString& value, int number, RegistryRoot root, const QString& key);
// Stored as the integer 0 or 1.
void WriteRegBool(const QString& value, bool flag, RegistryRoot root, const QString& key);

} // namespace kestrune::shell
