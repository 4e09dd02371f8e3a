#include "LastCover.h"

#include "shell/Registry.h"
#include "shell/Settings.h"

namespace kestrune::entry {

using shell::RegistryRoot;

LastCover ReadLastCover() {
    LastCover cover;
    cover.region = shell::ReadRegInteger(QStringLiteral("AppLastCity"), 0,
                                         RegistryRoot::LocalMachine, shell::kEnvSettingKey);
    cover.filler = shell::ReadRegText(QStringLiteral("c905"), QString(), RegistryRoot::LocalMachine,
                                      shell::kDataKey);
    cover.phone = shell::ReadRegText(QStringLiteral("c906"), QString(), RegistryRoot::LocalMachine,
                                     shell::kDataKey);
    return cover;
}

void StoreLastCover(const LastCover& cover) {
    shell::WriteRegInteger(QStringLiteral("AppLastCity"), cover.region, RegistryRoot::LocalMachine,
                           shell::kEnvSettingKey);
    shell::WriteRegText(QStringLiteral("c905"), cover.filler, RegistryRoot::LocalMachine,
                        shell::kDataKey);
    shell::WriteRegText(QStringLiteral("c906"), cover.phone, RegistryRoot::LocalMachine,
                        shell::kDataKey);
}

} // namespace kestrune::entry
