#pragma once

#include <QString>

namespace kestrune::shell {

struct EnvSettings;

// The options dialog's choices and what each writes.
class OptionsModel {
public:
    explicit OptionsModel(EnvSettings& settings) : settings_(settings) {}

    int inputWndStyle() const;
    // "有错就全部放弃" is chosen while the kept import handling is false.
    bool abandonAllOnError() const;
    QString preferredInputMethod() const;

    // A click on "传统" (0) or "简约" (1): kept and written at once.
    void chooseStyle(int style);
    // "确定": the drop-down's text becomes the preferred input method.
    void accept(const QString& inputMethod, bool abandonAllOnError);

private:
    EnvSettings& settings_;
};

// The input methods the platform offers by name; possibly none.
QStringList AvailableInputMethods();

} // namespace kestrune::shell
