#include "OptionsModel.h"

#include "Registry.h"
#include "Settings.h"

#include <QStringList>

namespace kestrune::shell {

int OptionsModel::inputWndStyle() const {
    return settings_.inputWndStyle;
}
bool OptionsModel::abandonAllOnError() const {
    return !settings_.importPrinciple;
}
QString OptionsModel::preferredInputMethod() const {
    return settings_.imePrefer;
}

void OptionsModel::chooseStyle(int style) {
    settings_.inputWndStyle = style != 0 ? 1 : 0;
    WriteRegInteger(QStringLiteral("InputWndStyle"), settings_.inputWndStyle,
                    RegistryRoot::LocalMachine, kEnvSettingKey);
}

void OptionsModel::accept(const QString& inputMethod, bool abandonAllOnError) {
    settings_.imePrefer = inputMethod;
    WriteRegText(QStringLiteral("ImePrefer"), inputMethod, RegistryRoot::LocalMachine,
                 kEnvSettingKey);
    WriteRegText(QStringLiteral("OrganisationName"), QString(), RegistryRoot::LocalMachine,
                 kEnvSettingKey);
    settings_.importPrinciple = !abandonAllOnError;
    WriteRegInteger(QStringLiteral("ImportPrinciple"), settings_.importPrinciple ? 1 : 0,
                    RegistryRoot::LocalMachine, kEnvSettingKey);
}

QStringList AvailableInputMethods() {
    // Linux input-method frameworks (IBus, Fcitx) switch engines themselves
    // and publish no list a program can choose from.
    return {};
}

} // namespace kestrune::shell
